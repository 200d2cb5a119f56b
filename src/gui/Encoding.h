#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace qs::gui {

// The core holds Windows-1252 bytes; the screen shows Unicode.
QString fromBytes(std::string_view bytes);
std::string toBytes(const QString& text);

} // namespace qs::gui
