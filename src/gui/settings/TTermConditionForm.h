#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// The shop's terms and conditions as free text, kept in termcondition.txt.
// Its title bar reads "TermConditionForm".
class TTermConditionForm : public QDialog {
    Q_OBJECT
public:
    TTermConditionForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Reads the open shop's terms (none when it has no file) and shows the
    // dialog. True when it closed with OK, the file then written.
    bool execute();

    QPlainTextEdit* TermsMemo = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

private:
    std::string termsFile() const;
    void confirm();

    qs::AppState& state_;
    qs::UserInterface& ui_;
};

} // namespace qs::gui
