#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

#include <array>

namespace qs::gui {

// The tool bar's 16 image slots, each a normal image from
// <name>-off.bmp and a hot one from <name>-on.bmp in the Buttons folder. A
// missing or unreadable file leaves its image empty. The bitmaps carry no
// alpha: as on the system they come from, the colour of the bottom-left pixel
// is taken as transparent.
class ToolBarImages {
public:
    static constexpr int slotCount = 16;
    static const std::array<const char*, slotCount>& slotNames();

    ToolBarImages() = default;
    explicit ToolBarImages(const QString& buttonsFolder) { load(buttonsFolder); }

    void load(const QString& buttonsFolder);
    void clear();

    const QPixmap& normal(int slot) const { return normal_.at(static_cast<std::size_t>(slot)); }
    const QPixmap& hot(int slot) const { return hot_.at(static_cast<std::size_t>(slot)); }
    // The normal image for QIcon::Normal, the hot one for QIcon::Active.
    QIcon icon(int slot) const;

    static QPixmap loadBitmap(const QString& path);

private:
    std::array<QPixmap, slotCount> normal_;
    std::array<QPixmap, slotCount> hot_;
};

} // namespace qs::gui
