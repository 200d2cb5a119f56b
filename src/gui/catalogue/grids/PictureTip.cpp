#include "gui/catalogue/grids/PictureTip.h"

#include "gui/text/Encoding.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

namespace qs::gui {

QString pictureTip(const std::string& imageFolder, std::string_view fileName)
{
    if (fileName.empty())
        return QString();
    const QString folder = QFile::decodeName(QByteArray::fromStdString(imageFolder));
    const QString name = fromBytes(fileName);
    const QFileInfo file(QDir(folder).filePath(name));
    if (!file.isFile())
        return QStringLiteral("%1 is not in the shop's image folder (%2).").arg(name, folder);
    QImageReader reader(file.filePath());
    const QSize size = reader.size();
    if (!size.isValid())
        return QStringLiteral("%1 cannot be shown as a picture.").arg(name);
    const int width = std::min(size.width(), 160);
    return QStringLiteral("<img src=\"%1\" width=\"%2\"><br>%3")
        .arg(QUrl::fromLocalFile(file.filePath()).toString(), QString::number(width), name.toHtmlEscaped());
}

} // namespace qs::gui
