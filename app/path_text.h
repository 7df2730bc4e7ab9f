// Text operations on paths, apart from any file system.
#pragma once

#include <string>

namespace app {

// Each character after a space, '-', '(', '_' or '\' upper case, every other
// one lower case, the first upper case: c:\my-app\prog.exe -> C:\My-App\Prog.exe
std::string ProperCase(std::string path);

// The settings file beside an executable: its path with the last three
// characters (the extension's letters) replaced by "ini". Fails for a path of
// fewer than three characters.
std::string IniPathFor(const std::string& exePath);

}  // namespace app
