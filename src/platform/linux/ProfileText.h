#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The text of a profile (INI) file, read and changed as the system's profile functions do:
// section and key names compare without regard to case, the first of duplicate keys counts,
// values lose surrounding spaces and one pair of surrounding quotes, and a change touches only
// the line of its key: every other byte (comments, unknown lines, blank lines, CRLF line ends,
// a byte order mark) stays as it was.
std::optional<std::string> ProfileValue(std::string_view text, std::string_view section,
                                        std::string_view key);
std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);

}  // namespace platform
