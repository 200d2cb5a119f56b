#include "gui/catalogue/TMemoTextForm.h"

#include "gui/text/Encoding.h"
#include "gui/ui/DialogParts.h"
#include "core/catalogue/MemoText.h"
#include "core/catalogue/ValueRules.h"
#include "core/ui/UserInterface.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace qs::gui {

TMemoTextForm::TMemoTextForm(qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Editing Text...", {.ok = "&OK", .cancel = "&Cancel", .enter = EnterKey::LeftToControls},
                     parent),
      ui_(ui)
{
    TheMemo = new QPlainTextEdit;
    TheMemo->setTabChangesFocus(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(labelFor("&Text:", TheMemo));
    layout->addWidget(TheMemo);
    layout->addLayout(frameButtonRow());
}

std::optional<std::string> TMemoTextForm::editText(const std::string& storedValue, std::string_view field)
{
    field_ = field;
    result_.reset();
    TheMemo->setPlainText(fromBytes(memoText(storedValue)));
    // What the memo made of it, so that an untouched text is recognised
    // whatever the widget normalised.
    shown_ = TheMemo->toPlainText();
    TheMemo->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return std::move(result_);
}

void TMemoTextForm::confirm()
{
    const QString typed = TheMemo->toPlainText();
    if (typed == shown_) {
        accept();
        return;
    }
    const std::optional<std::string> bytes = typedBytes(typed, ui_);
    if (!bytes)
        return;
    std::string value = memoValue(*bytes);
    if (const std::string refusal = valueRefusal(field_, value); !refusal.empty()) {
        ui_.message(refusal, MessageKind::Warning);
        return;
    }
    result_ = std::move(value);
    accept();
}

} // namespace qs::gui
