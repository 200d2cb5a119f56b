#include "gui/app/ToolBarImages.h"

#include <QBitmap>
#include <QDir>
#include <QImage>

namespace qs::gui {

const std::array<const char*, ToolBarImages::slotCount>& ToolBarImages::slotNames()
{
    static const std::array<const char*, slotCount> names = {
        "save",   "save",   "save",   "category", "sub-category", "new",  "import",    "export",
        "upload", "delete", "export", "post",     "post",         "post", "catologue", "export"};
    return names;
}

void ToolBarImages::clear()
{
    normal_.fill(QPixmap());
    hot_.fill(QPixmap());
}

QPixmap ToolBarImages::loadBitmap(const QString& path)
{
    QImage image(path);
    if (image.isNull())
        return QPixmap();
    QPixmap pixmap = QPixmap::fromImage(image);
    if (!image.hasAlphaChannel()) {
        const QColor transparent = image.pixelColor(0, image.height() - 1);
        pixmap.setMask(pixmap.createMaskFromColor(transparent, Qt::MaskInColor));
    }
    return pixmap;
}

void ToolBarImages::load(const QString& buttonsFolder)
{
    clear();
    const QDir folder(buttonsFolder);
    for (int slot = 0; slot < slotCount; ++slot) {
        const QString name = QString::fromLatin1(slotNames()[static_cast<std::size_t>(slot)]);
        normal_[static_cast<std::size_t>(slot)] =
            loadBitmap(folder.filePath(name + QStringLiteral("-off.bmp")));
        hot_[static_cast<std::size_t>(slot)] = loadBitmap(folder.filePath(name + QStringLiteral("-on.bmp")));
    }
}

QIcon ToolBarImages::icon(int slot) const
{
    QIcon result;
    if (!normal(slot).isNull())
        result.addPixmap(normal(slot), QIcon::Normal);
    if (!hot(slot).isNull())
        result.addPixmap(hot(slot), QIcon::Active);
    return result;
}

} // namespace qs::gui
