#pragma once

#include <QString>

#include <string_view>

namespace qs::gui {

// The tooltip of a cell that names a picture: the picture itself, small, from
// the shop's image folder, or a line saying it is not there.
QString pictureTip(const std::string& imageFolder, std::string_view fileName);

} // namespace qs::gui
