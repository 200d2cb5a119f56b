#include "gui/app/ToolBarImages.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qs::gui {
namespace {

void writeBitmap(const QString& path, QColor face, QColor ink)
{
    QImage image(32, 32, QImage::Format_RGB888);
    image.fill(face);
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 24; ++x)
            image.setPixelColor(x, y, ink);
    ASSERT_TRUE(image.save(path, "BMP"));
}

TEST(ToolBarImages, SixteenSlotsInTheSystemsOrder)
{
    const auto& names = ToolBarImages::slotNames();
    const std::vector<std::string> expected = {
        "save",   "save",   "save",   "category", "sub-category", "new",  "import",    "export",
        "upload", "delete", "export", "post",     "post",         "post", "catologue", "export"};
    ASSERT_EQ(names.size(), expected.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(names[i], expected[i]) << "slot " << i;
}

TEST(ToolBarImages, MissingFilesLeaveTheirImagesEmpty)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeBitmap(dir.filePath("save-off.bmp"), QColor(240, 240, 240), Qt::blue);
    writeBitmap(dir.filePath("delete-on.bmp"), QColor(240, 240, 240), Qt::red);
    QFile broken(dir.filePath("post-off.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM not really a bitmap");
    broken.close();

    const ToolBarImages images(dir.path());
    for (int slot : {0, 1, 2}) {
        EXPECT_FALSE(images.normal(slot).isNull());
        EXPECT_TRUE(images.hot(slot).isNull());
    }
    EXPECT_TRUE(images.normal(9).isNull());
    EXPECT_FALSE(images.hot(9).isNull());
    EXPECT_TRUE(images.normal(13).isNull()) << "an unreadable file counts as missing";
    EXPECT_TRUE(images.normal(3).isNull());
    EXPECT_TRUE(images.icon(3).isNull());
    EXPECT_FALSE(images.icon(0).isNull());

    const ToolBarImages none(dir.filePath("no-such-folder"));
    for (int slot = 0; slot < ToolBarImages::slotCount; ++slot) {
        EXPECT_TRUE(none.normal(slot).isNull());
        EXPECT_TRUE(none.hot(slot).isNull());
    }
}

TEST(ToolBarImages, TheBottomLeftColourIsTransparent)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeBitmap(dir.filePath("new-off.bmp"), QColor(240, 240, 240), QColor(0, 128, 0));
    const QImage shown = ToolBarImages(dir.path()).normal(5).toImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(qAlpha(shown.pixel(0, 31)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(31, 0)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(16, 16)), 255);
    EXPECT_EQ(QColor(shown.pixel(16, 16)), QColor(0, 128, 0));
}

TEST(ToolBarImages, HotImagesAreTheIconsActiveMode)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeBitmap(dir.filePath("import-off.bmp"), QColor(240, 240, 240), Qt::blue);
    writeBitmap(dir.filePath("import-on.bmp"), QColor(240, 240, 240), Qt::red);
    const QIcon icon = ToolBarImages(dir.path()).icon(6);
    const QImage normal = icon.pixmap(QSize(32, 32), QIcon::Normal).toImage();
    const QImage hot = icon.pixmap(QSize(32, 32), QIcon::Active).toImage();
    EXPECT_EQ(QColor(normal.pixel(16, 16)), QColor(Qt::blue));
    EXPECT_EQ(QColor(hot.pixel(16, 16)), QColor(Qt::red));
}

} // namespace
} // namespace qs::gui
