#include "platform/ResourceNotFound.h"

#include <string>

#include "rtl/Exception.h"

namespace platform {

void ThrowResourceNotFound(std::u16string_view name) {
  throw Exception(std::u16string(name) + u" リソースが見つかりません");
}

}  // namespace platform
