#include "platform/linux/ProfileText.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace platform {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct Line {
  std::size_t begin;  // of the line's text
  std::size_t end;    // of its text, before "\r\n" or "\n"
  std::size_t next;   // of the next line
  std::string_view text;
};

std::vector<Line> LinesOf(std::string_view text) {
  std::vector<Line> lines;
  std::size_t begin = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  while (begin < text.size()) {
    const std::size_t newline = text.find('\n', begin);
    const std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
    std::size_t end = newline == std::string_view::npos ? text.size() : newline;
    if (end > begin && text[end - 1] == '\r') {
      --end;
    }
    lines.push_back({begin, end, next, text.substr(begin, end - begin)});
    begin = next;
  }
  return lines;
}

std::string_view Trimmed(std::string_view text) {
  const auto space = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && space(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && space(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(
      a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// The name of a section header line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trimmed(line);
  const std::size_t close = line.find(']');
  if (!line.starts_with('[') || close == std::string_view::npos) {
    return std::nullopt;
  }
  return Trimmed(line.substr(1, close - 1));
}

bool IsKeyLine(std::string_view line, std::string_view key) {
  const std::size_t equals = line.find('=');
  return equals != std::string_view::npos && SameName(Trimmed(line.substr(0, equals)), key);
}

std::string_view ValueOf(std::string_view line) {
  std::string_view value = Trimmed(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// The line end the file uses, "\n" for a file that has none yet.
std::string_view LineEndOf(std::string_view text) {
  const std::size_t newline = text.find('\n');
  return newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r' ? "\r\n"
                                                                                       : "\n";
}

}  // namespace

std::optional<std::string> ProfileValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  bool inSection = false;
  for (const Line& line : LinesOf(text)) {
    if (const auto name = SectionName(line.text)) {
      inSection = SameName(*name, section);
    } else if (inSection && IsKeyLine(line.text, key)) {
      return std::string(ValueOf(line.text));
    }
  }
  return std::nullopt;
}

std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
  std::string entry(key);
  entry.append("=").append(value);
  const std::string_view lineEnd = LineEndOf(text);
  const std::vector<Line> lines = LinesOf(text);
  std::optional<std::size_t> sectionEnd;  // where a new key of the first such section goes
  bool inSection = false;
  for (const Line& line : lines) {
    if (const auto name = SectionName(line.text)) {
      if (inSection) {
        break;
      }
      inSection = SameName(*name, section) && !sectionEnd;
      if (inSection) {
        sectionEnd = line.next;
      }
    } else if (inSection) {
      if (IsKeyLine(line.text, key)) {
        // The key keeps the spelling it has in the file.
        std::string changedLine(Trimmed(line.text.substr(0, line.text.find('='))));
        changedLine.append("=").append(value);
        std::string changed(text);
        changed.replace(line.begin, line.end - line.begin, changedLine);
        return changed;
      }
      if (!Trimmed(line.text).empty()) {
        sectionEnd = line.next;
      }
    }
  }
  std::string changed(text);
  if (sectionEnd) {
    if (*sectionEnd == changed.size() && !changed.empty() && changed.back() != '\n') {
      changed.append(lineEnd).append(entry);  // the section's last line had no line end
    } else {
      changed.insert(*sectionEnd, std::string(entry).append(lineEnd));
    }
    return changed;
  }
  if (!changed.empty() && changed.back() != '\n' && changed != kByteOrderMark) {
    changed += lineEnd;
  }
  changed.append("[").append(section).append("]").append(lineEnd).append(entry).append(lineEnd);
  return changed;
}

}  // namespace platform
