#include "core/import/ImportedPictures.h"

#include "core/app/AppState.h"
#include "core/app/FileOps.h"
#include "core/app/ShopFileName.h"
#include "core/text/Cp1252.h"
#include "core/text/FileError.h"
#include "core/ui/UserInterface.h"

#include <filesystem>

namespace qs {

std::string ImportedPictures::stored(std::string_view value)
{
    if (isShopFileName(value))
        return std::string(value);
    if (const auto known = renamed_.find(value); known != renamed_.end())
        return known->second;
    std::string shared = shopFileName(cp1252ToUtf8(value));
    renamed_.emplace(value, shared);
    return shared;
}

void ImportedPictures::bringIntoImageFolder(UserInterface& ui) const
{
    namespace fs = std::filesystem;
    for (const auto& [value, shared] : renamed_) {
        const std::string source = joinPath(imageFolder_, cp1252ToUtf8(value));
        const std::string destination = joinPath(imageFolder_, shared);
        std::error_code ec;
        if (!fs::is_regular_file(source, ec) || fs::exists(fs::symlink_status(destination, ec)))
            continue;
        try {
            copyFileReplacingOrThrow(source, destination);
        } catch (const FileError& error) {
            ui.message(error.what(), MessageKind::Error);
        }
    }
}

void ImportedPictures::tell(UserInterface& ui) const
{
    if (renamed_.empty())
        return;
    std::string text(renamedHeading);
    std::size_t shown = 0;
    for (const auto& [value, shared] : renamed_) {
        if (shown++ == listed)
            break;
        text.append("\r\n").append(value).append(" is now ").append(shared);
    }
    if (renamed_.size() > listed)
        text.append("\r\n... and ").append(std::to_string(renamed_.size() - listed)).append(" more.");
    ui.message(text, MessageKind::Warning);
}

} // namespace qs
