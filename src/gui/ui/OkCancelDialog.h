#pragma once

#include <QDialog>
#include <QString>

class QHBoxLayout;
class QPushButton;

namespace qs::gui {

// The frame of a dialog that closes with OK or Cancel and may open its help
// page (Help, or F1): it makes the three buttons and wires them; the dialog
// lays out its controls with the buttons and says in confirm() what OK does.
class OkCancelDialog : public QDialog {
    Q_OBJECT
public:
    // The buttons the dialog has (null when it has none of the kind).
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

signals:
    void helpRequested(int topic);

protected:
    // What Enter does.
    enum class EnterKey {
        // Presses OK wherever the focus is; no other button of the frame takes it.
        PressesOK,
        // Presses OK, except that Cancel or Help takes it while it has the focus.
        PressesFocusedButton,
        // Left to the controls (a text of several lines, a grid): no button takes it.
        LeftToControls,
    };
    struct Buttons {
        QString ok = QStringLiteral("&OK");
        // Without a caption, no Cancel.
        QString cancel = QStringLiteral("&Cancel");
        // The help page Help opens; without a topic, no Help.
        int helpTopic = 0;
        EnterKey enter = EnterKey::PressesOK;
    };

    OkCancelDialog(const QString& title, const Buttons& buttons, QWidget* parent);

    // OK: closes the dialog as accepted. A dialog that checks or stores what
    // was typed first does so here, and stays open on a refusal.
    virtual void confirm();
    // OK, Cancel and Help as the dialog has them, in a row pushed to the right.
    QHBoxLayout* frameButtonRow() const;
    // Wide enough for the whole title: a window manager cuts a long one short.
    void showEvent(QShowEvent* event) override;
    // F1 opens the dialog's help page, as Help does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int helpTopic_ = 0;
};

} // namespace qs::gui
