#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace qs {

class UserInterface;

// The pictures a table names, as the shop's folders name them (ShopFileName.h).
// A name that the catalogue and the web server would read differently is
// stored under its shared name; once the merge is kept, a picture that lies
// in the image folder under the table's name is copied to the shared one.
// The merchant hears which names changed.
class ImportedPictures {
public:
    explicit ImportedPictures(std::string imageFolder) : imageFolder_(std::move(imageFolder)) {}

    // The name to store for a "Picture" value as the table gives it (Windows-1252).
    std::string stored(std::string_view value);

    std::size_t renamedCount() const { return renamed_.size(); }
    // Copies each renamed picture found in the image folder to its new name,
    // unless a file of that name is there already; a copy that fails is told.
    void bringIntoImageFolder(UserInterface& ui) const;
    // The renamed pictures, the first few listed.
    void tell(UserInterface& ui) const;

    static constexpr std::size_t listed = 20;
    static constexpr std::string_view renamedHeading =
        "These pictures have names that the catalogue and the web server would read differently, so they "
        "are stored under names both read alike (a picture of the old name in the image folder has been "
        "copied to the new one):";

private:
    std::string imageFolder_;
    // The table's names and what they became.
    std::map<std::string, std::string, std::less<>> renamed_;
};

} // namespace qs
