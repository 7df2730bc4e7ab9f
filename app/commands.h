// Finding the settings file, and reading and writing single entries in it.
#pragma once

#include <string>

namespace app::Commands {

// Set once at start, read afterwards.
extern std::string AppPath;   // the executable's folder, ending in a backslash
extern std::string ExeName;   // the executable's name without extension
extern std::string AppTitle;  // the settings section
extern std::string IniFile;   // the settings file's full path

void InitEnvironment();  // sets AppPath and ExeName
void InitIniFile();      // sets AppTitle and IniFile; needs InitEnvironment first

// Appends a backslash unless `path` ends in one; returns the new path.
std::string& AddBackslash(std::string& path);
// The long form of a path, or the path in proper case where there is none.
std::string GetLongName(std::string path);

std::string ReadIni(const std::string& section, const std::string& key, const std::string& file,
                    const std::string& defaultValue);
void WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file);

}  // namespace app::Commands
