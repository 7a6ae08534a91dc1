#include "rtl/Exception.h"

#include <utility>

#include "rtl/TextConversion.h"

Exception::Exception(std::u16string message)
    : FMessage(std::move(message)), FUtf8Message(Utf16ToUtf8(FMessage)) {}
