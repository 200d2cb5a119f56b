#pragma once

#include "core/text/Cp1252.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace qs {
class UserInterface;
}

namespace qs::gui {

// The core holds Windows-1252 bytes; the screen shows Unicode.
QString fromBytes(std::string_view bytes);

// Text typed on the screen in Windows-1252. A character the code page cannot
// hold is never replaced: the conversion is refused and names it.
qs::Cp1252Conversion toCatalogueBytes(const QString& text);

// The same, telling the merchant of a refusal: none then.
std::optional<std::string> typedBytes(const QString& text, qs::UserInterface& ui);

// The texts of a dialog's fields, read one after another for its OK: the
// first refusal is told, and every text from it on reads as empty, so that
// the dialog stores nothing and stays open.
class TypedTexts {
public:
    explicit TypedTexts(qs::UserInterface& ui) : ui_(ui) {}

    std::string operator()(const QString& text);
    // Every text so far was held.
    bool held() const { return held_; }

private:
    qs::UserInterface& ui_;
    bool held_ = true;
};

} // namespace qs::gui
