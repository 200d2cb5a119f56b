#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <string_view>

class QPlainTextEdit;
class QPushButton;

namespace qs {
class UserInterface;
}

namespace qs::gui {

// "Editing Text...": a one-line value edited on several lines, each "<br>"
// of the value a line break.
class TMemoTextForm : public QDialog {
    Q_OBJECT
public:
    explicit TMemoTextForm(qs::UserInterface& ui, QWidget* parent = nullptr);

    // The value to store on OK (the stored value itself when the text was not
    // changed); nothing on Cancel. A value the field cannot hold is refused
    // with the reason and the dialog stays open.
    std::optional<std::string> editText(const std::string& storedValue, std::string_view field = {});

    QPlainTextEdit* TheMemo = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

private:
    void confirm();

    qs::UserInterface& ui_;
    std::string field_;
    std::string stored_;
    QString shown_;
    std::string result_;
};

} // namespace qs::gui
