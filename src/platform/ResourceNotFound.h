#pragma once

#include <string_view>

namespace platform {

[[noreturn]] void ThrowResourceNotFound(std::u16string_view name);

}  // namespace platform
