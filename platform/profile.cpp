#include "platform/profile.h"

#include <vector>

namespace platform::profile {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

struct Line {
  std::size_t begin;  // first byte of the line
  std::size_t end;    // one past its last byte, before the line break
  std::size_t next;   // first byte of the next line
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  std::size_t begin = text.substr(0, kBom.size()) == kBom ? kBom.size() : 0;
  while (begin < text.size()) {
    std::size_t end = begin;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    std::size_t next = end;
    if (next < text.size() && text[next] == '\r') ++next;
    if (next < text.size() && text[next] == '\n' && (next == end || text[next - 1] == '\r')) ++next;
    lines.push_back({begin, end, next});
    begin = next;
  }
  return lines;
}

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  a = Trim(a);
  b = Trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

enum class Kind { Other, Section, Entry };

struct Parsed {
  Kind kind = Kind::Other;
  std::string_view name;   // section or key
  std::string_view value;  // entries only
};

Parsed Parse(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.empty() || t.front() == ';' || t.front() == '#') return {};
  if (t.front() == '[') {
    const auto close = t.find(']');
    return {
        Kind::Section, Trim(t.substr(1, close == std::string_view::npos ? t.npos : close - 1)), {}};
  }
  const auto eq = t.find('=');
  if (eq == std::string_view::npos) return {};
  return {Kind::Entry, Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

// Index range [first, last) of the lines of the first section named `section`,
// header excluded; nothing when there is no such section.
struct SectionLines {
  std::size_t header;
  std::size_t first;
  std::size_t last;
};

std::optional<SectionLines> FindSection(std::string_view text, const std::vector<Line>& lines,
                                        std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Parsed p = Parse(text.substr(lines[i].begin, lines[i].end - lines[i].begin));
    if (p.kind != Kind::Section || !SameName(p.name, section)) continue;
    std::size_t last = i + 1;
    while (last < lines.size() &&
           Parse(text.substr(lines[last].begin, lines[last].end - lines[last].begin)).kind !=
               Kind::Section) {
      ++last;
    }
    return SectionLines{i, i + 1, last};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(std::string_view text, const std::vector<Line>& lines,
                                   const SectionLines& s, std::string_view key) {
  for (std::size_t i = s.first; i < s.last; ++i) {
    const Parsed p = Parse(text.substr(lines[i].begin, lines[i].end - lines[i].begin));
    if (p.kind == Kind::Entry && SameName(p.name, key)) return i;
  }
  return std::nullopt;
}

bool Storable(std::string_view s) {
  return s.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace

std::optional<std::string> Get(std::string_view text, std::string_view section,
                               std::string_view key) {
  const auto lines = SplitLines(text);
  const auto s = FindSection(text, lines, section);
  if (!s) return std::nullopt;
  const auto k = FindKey(text, lines, *s, key);
  if (!k) return std::nullopt;
  std::string_view value =
      Parse(text.substr(lines[*k].begin, lines[*k].end - lines[*k].begin)).value;
  value = value.substr(0, value.find('\0'));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

std::optional<std::string> Set(std::string_view text, std::string_view section,
                               std::string_view key, std::string_view value) {
  const std::string_view name = Trim(key);
  if (Trim(section).empty() || name.empty() || !Storable(section) || !Storable(key) ||
      !Storable(value) || section.find(']') != std::string_view::npos ||
      key.find('=') != std::string_view::npos || name.front() == '[' || name.front() == ';' ||
      name.front() == '#') {
    return std::nullopt;  // it would not read back as this entry
  }
  const std::string entry = std::string(key) + "=" + std::string(value);
  const auto lines = SplitLines(text);
  std::string out(text);
  const auto s = FindSection(text, lines, section);
  if (!s) {
    if (!out.empty() && out.back() != '\n' && out.back() != '\r' && out != kBom) out += "\r\n";
    out += "[" + std::string(section) + "]\r\n" + entry + "\r\n";
    return out;
  }
  if (const auto k = FindKey(text, lines, *s, key)) {
    out.replace(lines[*k].begin, lines[*k].end - lines[*k].begin, entry);
    return out;
  }
  // After the last non-blank line of the section (its header at the least).
  std::size_t after = s->header;
  for (std::size_t i = s->first; i < s->last; ++i) {
    if (!Trim(text.substr(lines[i].begin, lines[i].end - lines[i].begin)).empty()) after = i;
  }
  const Line& line = lines[after];
  if (line.next == line.end) {  // the file's last line, without a line break
    out.insert(line.end, "\r\n" + entry);
  } else {
    out.insert(line.next, entry + "\r\n");
  }
  return out;
}

}  // namespace platform::profile
