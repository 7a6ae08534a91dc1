#pragma once

#include <string_view>

namespace platform {

// Raises Exception "<name> リソースが見つかりません".
[[noreturn]] void ThrowResourceNotFound(std::u16string_view name);

}  // namespace platform
