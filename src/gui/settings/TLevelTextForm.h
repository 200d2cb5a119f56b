#pragma once

#include "core/settings/LevelTexts.h"

#include "gui/ui/OkCancelDialog.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// "Catalogue Navigation...": a text for each level of the catalogue, used by
// the shop's navigation page, and up to how many options are shown as radio
// buttons. There is no Cancel: however it closes, the level texts are kept;
// only OK keeps the number.
class TLevelTextForm : public OkCancelDialog {
    Q_OBJECT
public:
    TLevelTextForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Fills the texts from the shop settings list, sized by the catalogue's
    // depth, and shows the dialog. True when it closed with OK.
    bool execute();

    static constexpr int helpTopic = 4;

    QLabel* HeadingLabel = nullptr;
    QPlainTextEdit* LevTexMemo = nullptr;
    QPushButton* PrevBtn = nullptr;
    QPushButton* NextBtn = nullptr;
    QLineEdit* Edit1 = nullptr;

    void done(int result) override;

private:
    void showLevel();
    bool storeLevel();
    void step(bool forward);
    void confirm() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
    qs::LevelTexts texts_;
};

} // namespace qs::gui
