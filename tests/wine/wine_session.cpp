#include "tests/wine/wine_session.h"

#include <cstdlib>
#include <stdexcept>

namespace wine_test {

namespace {

using std::chrono::milliseconds;

std::filesystem::path MakeTemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tobbelin-wine-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
  return pattern;
}

}  // namespace

WineSession::WineSession(std::filesystem::path exe, const std::string& display)
    : exe_(std::move(exe)), display_(display), root_(MakeTemporaryFolder()) {
  const auto log = (root_ / "wineboot.log").string();
  const auto booted = RunToEnd({"wineboot", "-i"}, Environment(), milliseconds(120000), log);
  if (booted != 0) throw std::runtime_error("wineboot failed, see " + log);
  // Later starts take a fraction of a second while the server stays up.
  RunToEnd({"wineserver", "-p", "600"}, Environment(), milliseconds(10000));
}

WineSession::~WineSession() {
  RunToEnd({"wineserver", "-k"}, Environment(), milliseconds(20000));
  RunToEnd({"wineserver", "-w"}, Environment(), milliseconds(20000));
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::map<std::string, std::string> WineSession::Environment() const {
  return {
      {"WINEPREFIX", (root_ / "prefix").string()},
      {"WINEDEBUG", "-all"},
      // No offer to install .NET or a web engine on the test's display.
      {"WINEDLLOVERRIDES", "mscoree,mshtml="},
      {"DISPLAY", display_},
  };
}

std::filesystem::path WineSession::NewFolder(const std::string& name) {
  const auto folder = root_ / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(exe_, folder / exe_.filename(),
                             std::filesystem::copy_options::overwrite_existing);
  return folder;
}

std::unique_ptr<Process> WineSession::Launch(const std::filesystem::path& folder) {
  return std::make_unique<Process>(std::vector<std::string>{"wine", (folder / exe_.filename())},
                                   Environment(), (folder / "wine.log").string());
}

std::optional<int> WineSession::RunTool(const std::vector<std::string>& argv,
                                        const std::filesystem::path& output) {
  std::vector<std::string> command{"wine"};
  command.insert(command.end(), argv.begin(), argv.end());
  return RunToEnd(command, Environment(), milliseconds(30000), output.string());
}

}  // namespace wine_test
