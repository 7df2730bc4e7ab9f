#include "app/path_text.h"

#include "platform/convert.h"
#include "platform/failure.h"

namespace app {

std::string ProperCase(std::string path) {
  const auto isWordStart = [](char c) {
    return c == ' ' || c == '-' || c == '(' || c == '_' || c == '\\';
  };
  for (std::size_t i = 1; i < path.size(); ++i) {
    const std::string one(1, path[i]);
    path[i] = (isWordStart(path[i - 1]) ? platform::UCase(one) : platform::LCase(one))[0];
  }
  if (!path.empty()) path[0] = platform::UCase(path.substr(0, 1))[0];
  return path;
}

std::string IniPathFor(const std::string& exePath) {
  if (exePath.size() < 3) {
    platform::Fail(platform::Failure::Kind::InvalidValue, "path too short for an extension");
  }
  return exePath.substr(0, exePath.size() - 3) + "ini";
}

}  // namespace app
