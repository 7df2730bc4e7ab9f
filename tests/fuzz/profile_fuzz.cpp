// Fuzzes the settings file's reader and writer. For every input: no crash and
// no sanitizer report; a write changes nothing but the lines it targets; the
// value it wrote reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

struct Line {
  std::string_view content;
  std::string_view end;  // the line break: "\r\n", "\n", "\r" or none
};

std::vector<Line> Lines(std::string_view text) {
  std::vector<Line> lines;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  while (!text.empty()) {
    std::size_t n = 0;
    while (n < text.size() && text[n] != '\r' && text[n] != '\n') ++n;
    std::size_t e = n;
    if (e < text.size() && text[e] == '\r') ++e;
    if (e < text.size() && text[e] == '\n' && (e == n || text[e - 1] == '\r')) ++e;
    lines.push_back({text.substr(0, n), text.substr(n, e - n)});
    text.remove_prefix(e);
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // First byte: which section and key; the second: the value; the rest: the file.
  const std::string sections[] = {"Ferrowind Tobbelin", "ferrowind tobbelin", "A", "x y"};
  const std::string keys[] = {"Top", "LEFT", "k", "a b"};
  const std::string& section = sections[data[0] & 3];
  const std::string& key = keys[(data[0] >> 2) & 3];
  const std::string value = std::to_string(static_cast<int>(data[1]) - 128);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  (void)platform::profile::Get(text, section, key);

  const auto written = platform::profile::Set(text, section, key, value);
  Check(written.has_value());  // these names and values are always storable
  const std::string& after = *written;
  const auto readBack = platform::profile::Get(after, section, key);
  Check(readBack.has_value() && *readBack == value);

  // Line by line: the unchanged lines at the start and at the end come back
  // byte for byte (the old last line may gain a line break); in between, at
  // most one old line (the entry) gives way to the entry, or the entry and its
  // section are added.
  const auto before = Lines(text);
  const auto now = Lines(after);
  auto same = [&](std::size_t i, std::size_t j) {
    const bool lastOld = i + 1 == before.size();
    return before[i].content == now[j].content &&
           (before[i].end == now[j].end || (lastOld && before[i].end.empty()));
  };
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < now.size() && same(prefix, prefix)) ++prefix;
  std::size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < now.size() - prefix &&
         same(before.size() - 1 - suffix, now.size() - 1 - suffix)) {
    ++suffix;
  }
  const std::size_t oldMiddle = before.size() - prefix - suffix;
  const std::size_t newMiddle = now.size() - prefix - suffix;
  const std::string entry = key + "=" + value;
  Check(oldMiddle <= 1 && newMiddle <= 2 && newMiddle >= oldMiddle);
  if (oldMiddle == 1) {  // replaced where it stood, keeping its line break
    Check(newMiddle == 1 && now[prefix].content == entry && now[prefix].end == before[prefix].end);
  }
  for (std::size_t j = prefix; oldMiddle == 0 && j < prefix + newMiddle; ++j) {
    Check(now[j].content == entry || now[j].content == "[" + section + "]");
    Check(now[j].end == "\r\n" || j + 1 == now.size());  // added lines end in CR LF
  }
  return 0;
}
