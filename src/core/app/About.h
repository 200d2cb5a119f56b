#pragma once

#include <string>
#include <string_view>

namespace qs {

struct ShopPaths;

// What --version prints, and the About box's first line.
inline constexpr std::string_view versionLine = "Quaystall DB v" QUAYSTALL_VERSION;

// Help, About: the version and the folders in use.
std::string aboutText(const ShopPaths& paths);

} // namespace qs
