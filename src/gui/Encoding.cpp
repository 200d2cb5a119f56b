#include "Encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace qs::gui {

QString fromBytes(std::string_view bytes)
{
    QStringDecoder decoder("Windows-1252");
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string toBytes(const QString& text)
{
    QStringEncoder encoder("Windows-1252", QStringConverter::Flag::Default);
    const QByteArray bytes = encoder.encode(text);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace qs::gui
