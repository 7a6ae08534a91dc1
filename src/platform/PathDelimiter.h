#pragma once

namespace platform {

// Separator between folder names in the paths the player builds.
#ifdef _WIN32
inline constexpr char16_t kPathDelimiter = u'\\';
#else
inline constexpr char16_t kPathDelimiter = u'/';
#endif

}  // namespace platform
