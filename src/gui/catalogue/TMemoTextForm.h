#pragma once

#include "gui/ui/OkCancelDialog.h"

#include <optional>
#include <string>
#include <string_view>

class QPlainTextEdit;

namespace qs {
class UserInterface;
}

namespace qs::gui {

// "Editing Text...": a one-line value edited on several lines, each "<br>"
// of the value a line break.
class TMemoTextForm : public OkCancelDialog {
    Q_OBJECT
public:
    explicit TMemoTextForm(qs::UserInterface& ui, QWidget* parent = nullptr);

    // The value to store on OK; nothing on Cancel, and nothing on OK when the
    // text was not changed, so that an inherited value stays inherited. A
    // value the field cannot hold is refused with the reason and the dialog
    // stays open.
    std::optional<std::string> editText(const std::string& storedValue, std::string_view field = {});

    QPlainTextEdit* TheMemo = nullptr;

private:
    void confirm() override;

    qs::UserInterface& ui_;
    std::string field_;
    QString shown_;
    std::optional<std::string> result_;
};

} // namespace qs::gui
