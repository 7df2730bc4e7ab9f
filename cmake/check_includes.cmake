# Fails when code outside platform/x11 and platform/win32 includes a window
# system's headers. Run: cmake -DROOT=<source dir> -P check_includes.cmake
file(GLOB_RECURSE sources RELATIVE "${ROOT}"
  "${ROOT}/app/*" "${ROOT}/watcher/*" "${ROOT}/shaping/*" "${ROOT}/platform/*"
  "${ROOT}/assets/*.h" "${ROOT}/assets/*.cpp")
set(bad "")
foreach(source IN LISTS sources)
  if(source MATCHES "^platform/(x11|win32)/" OR NOT source MATCHES "\\.(h|hpp|cpp|cc)$")
    continue()
  endif()
  file(STRINGS "${ROOT}/${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](X11/|windows\\.h|winuser\\.h|wingdi\\.h)")
  if(lines)
    list(APPEND bad "${source}: ${lines}")
  endif()
endforeach()
if(bad)
  message(FATAL_ERROR "Window-system headers outside platform/x11 and platform/win32:\n${bad}")
endif()
message(STATUS "Only platform/x11 and platform/win32 include window-system headers.")
