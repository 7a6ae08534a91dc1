#pragma once

#include <QString>
#include <string>

namespace toolkit::qt {

inline QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string FromQString(const QString& text) {
  return text.toStdU16String();
}

}  // namespace toolkit::qt
