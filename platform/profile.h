// The settings file's text: reading and changing single entries of an INI
// file, with the rules of the Windows profile functions. Pure text in, text
// out; the file I/O lives with the backends.
//
// The rules:
//  - A line "[name]" opens a section; "key=value" is an entry of the section
//    above it. Entries before the first section belong to none.
//  - Section and key names match without regard to letter case (ASCII);
//    blanks and tabs around names and values do not count.
//  - A value enclosed in one pair of matching double or single quotes is read
//    without them. A value stops at a NUL byte.
//  - Lines starting with ';' or '#' are comments; lines without '=' are
//    ignored. Both are kept as they are.
//  - Where a section or a key occurs twice, the first one is read and written.
//  - Lines may end in CR LF, LF or CR; a UTF-8 byte order mark is passed over.
//  - A write changes only the line of the entry it targets (replaced where it
//    stands) or adds lines: a missing entry goes after the last non-blank line
//    of its section, a missing section at the end of the file. Lines it writes
//    end in CR LF; every other byte of the file stays as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform::profile {

std::optional<std::string> Get(std::string_view text, std::string_view section,
                               std::string_view key);

// The file's new text, or nothing when the names or the value cannot be
// stored as one entry (line breaks or NUL, a ']' in the section name, an '='
// in the key, an empty name) and the write must be refused.
std::optional<std::string> Set(std::string_view text, std::string_view section,
                               std::string_view key, std::string_view value);

}  // namespace platform::profile
