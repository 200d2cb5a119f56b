#pragma once

#include "core/publish/PreviewSettingsEdits.h"

#include "gui/ui/OkCancelDialog.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qs {
struct AppState;
class PreviewSettings;
class UserInterface;
} // namespace qs

namespace qs::gui {

// "Preview Settings...": the browser that shows the preview, picked by path,
// by file dialog or from two suggestions, and the address of the web server
// that serves it.
class TPreviewSettingsForm : public OkCancelDialog {
    Q_OBJECT
public:
    TPreviewSettingsForm(qs::AppState& state, qs::UserInterface& ui, qs::PreviewSettings& settings,
                         QWidget* parent = nullptr);

    // Fills the edits, tells how the browser must be set up, and shows the
    // dialog. True when it closed with OK, the settings then taken over.
    bool execute();

    static constexpr int helpTopic = 10;

    QLineEdit* BrowserEdit = nullptr;
    QPushButton* BrowseBtn = nullptr;
    // One per suggested browser, in the order of the suggestions.
    QList<QPushButton*> SuggestionBtns;
    QLineEdit* AddressEdit = nullptr;
    // The rest of the preview address, after what AddressEdit holds.
    QLabel* AddressPathLabel = nullptr;

private:
    QWidget* buildBrowserRow();
    QWidget* buildSuggestions();
    QWidget* buildAddressRow();
    // Runs a step of the dialog's logic on what the edits hold now.
    void withEdits(const std::function<void(qs::PreviewSettingsEdits&)>& step);
    void confirm() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
    qs::PreviewSettings& settings_;
};

} // namespace qs::gui
