# Turns a binary file into C++ source: cmake -DINPUT=f -DOUTPUT=o.cpp -DSYMBOL=name -P embed.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
  "// Generated from ${INPUT} at build time. Do not edit.\n"
  "#include <cstddef>\n#include <cstdint>\n#include <span>\n\n"
  "namespace assets {\nnamespace {\nconst std::uint8_t kData[${size}] = {\n${bytes}\n};\n}  // namespace\n"
  "std::span<const std::uint8_t> ${SYMBOL}() { return {kData, ${size}}; }\n}  // namespace assets\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
