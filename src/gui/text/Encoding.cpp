#include "gui/text/Encoding.h"

#include "core/ui/UserInterface.h"

#include <QStringDecoder>

namespace qs::gui {

QString fromBytes(std::string_view bytes)
{
    QStringDecoder decoder("Windows-1252");
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

qs::Cp1252Conversion toCatalogueBytes(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return qs::utf8ToCp1252(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

std::optional<std::string> typedBytes(const QString& text, qs::UserInterface& ui)
{
    qs::Cp1252Conversion converted = toCatalogueBytes(text);
    if (!converted.converted()) {
        ui.message(converted.refusal, qs::MessageKind::Warning);
        return std::nullopt;
    }
    return std::move(converted.bytes);
}

std::string TypedTexts::operator()(const QString& text)
{
    if (!held_)
        return {};
    std::optional<std::string> bytes = typedBytes(text, ui_);
    held_ = bytes.has_value();
    return bytes.value_or(std::string());
}

} // namespace qs::gui
