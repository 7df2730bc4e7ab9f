// The settings file and paths on POSIX systems, for the emulated profile and
// long-path calls. Paths come in Windows form: '\' separates like '/'.
#pragma once

#include <optional>
#include <string>

namespace platform::posix {

std::string NativePath(const std::string& windowsPath);

// The file's bytes; nothing when it is missing or cannot be read as a file.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces the file's contents so that a reader sees either the old or the
// new bytes, never a mix or a truncated file: the new text goes to a file
// beside it that is then renamed over it. Refuses (false) where the file
// itself may not be written, keeps the file's permissions, and writes through
// a symbolic link to its target.
bool ReplaceFile(const std::string& path, const std::string& contents);

// The long form of a path: POSIX has no short names, so an existing path, or
// a path in an existing folder, is its own long form (separators made '/').
std::optional<std::string> LongPath(const std::string& windowsPath);

}  // namespace platform::posix
