#include "app/commands.h"

#include "app/path_text.h"
#include "platform/convert.h"
#include "platform/failure.h"
#include "platform/forms.h"
#include "platform/win_api.h"

namespace app::Commands {

using platform::CarryOn;

std::string AppPath;
std::string ExeName;
std::string AppTitle;
std::string IniFile;

void InitEnvironment() {
  CarryOn([] { AppPath = platform::AppPath(); });
  CarryOn([] { AddBackslash(AppPath); });
  CarryOn([] { ExeName = platform::AppExeName(); });
}

void InitIniFile() {
  CarryOn([] { AppTitle = "Ferrowind Tobbelin"; });
  std::string longName;
  CarryOn([&] { longName = GetLongName(AppPath + ExeName + ".exe"); });
  CarryOn([&] { IniFile = IniPathFor(longName); });
}

std::string& AddBackslash(std::string& path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::string GetLongName(std::string path) {
  constexpr std::uint32_t kBufferSize = 260;
  std::string buffer(kBufferSize, '\0');
  const std::string copy = path;
  std::uint32_t n = 0;
  CarryOn([&] { n = platform::api::GetLongPathNameA(path.c_str(), buffer.data(), kBufferSize); });
  if (n != 0) return buffer.substr(0, buffer.find('\0'));
  std::string result = copy;
  CarryOn([&] { result = ProperCase(copy); });
  return result;
}

std::string ReadIni(const std::string& section, const std::string& key, const std::string& file,
                    const std::string& defaultValue) {
  constexpr std::uint32_t kBufferSize = 2048;
  std::string buffer(kBufferSize, ' ');
  std::int16_t n = 0;
  CarryOn([&] {
    n = platform::ToInt16(platform::api::GetPrivateProfileStringA(
        platform::UCase(section).c_str(), platform::UCase(key).c_str(), "", buffer.data(),
        kBufferSize, file.c_str()));
  });
  std::string result = defaultValue;
  CarryOn([&] {
    if (n > 0) result = buffer.substr(0, static_cast<std::size_t>(n));
  });
  return result;
}

void WriteIni(const std::string& section, const std::string& key, const std::string& value,
              const std::string& file) {
  CarryOn([&] {
    platform::api::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                              file.c_str());
  });
}

}  // namespace app::Commands
