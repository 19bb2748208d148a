// Conversions between the UTF-8 texts of the core and Qt's strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace morvane::gui {

inline QString FromUtf8(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

inline std::string ToUtf8(const QString& s) { return s.toStdString(); }

}  // namespace morvane::gui
