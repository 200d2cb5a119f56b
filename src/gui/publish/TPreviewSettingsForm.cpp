#include "gui/publish/TPreviewSettingsForm.h"

#include "core/app/AppState.h"
#include "core/publish/PreviewAddress.h"
#include "core/publish/PreviewSettings.h"
#include "core/ui/UserInterface.h"
#include "gui/text/Encoding.h"
#include "gui/ui/DialogParts.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qs::gui {

namespace {

// A caption over a line of controls, naming the edit that leads it.
QWidget* captioned(const QString& caption, QLineEdit* edit, QHBoxLayout* line)
{
    auto* label = new QLabel(caption);
    label->setBuddy(edit);
    auto* row = new QWidget;
    auto* layout = new QVBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addLayout(line);
    return row;
}

} // namespace

TPreviewSettingsForm::TPreviewSettingsForm(qs::AppState& state, qs::UserInterface& ui,
                                           qs::PreviewSettings& settings, QWidget* parent)
    : OkCancelDialog("Preview Settings...", {.helpTopic = helpTopic, .enter = EnterKey::PressesFocusedButton},
                     parent),
      state_(state), ui_(ui), settings_(settings)
{
    // Help never takes Enter, even while it has the focus.
    HelpBtn->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildBrowserRow());
    layout->addWidget(buildSuggestions());
    layout->addWidget(buildAddressRow());
    layout->addLayout(frameButtonRow());
}

QWidget* TPreviewSettingsForm::buildBrowserRow()
{
    BrowserEdit = new QLineEdit;
    BrowserEdit->setMinimumWidth(360);
    BrowseBtn = plainButton("&Browse...");
    connect(BrowseBtn, &QPushButton::clicked, this,
            [this] { withEdits([this](qs::PreviewSettingsEdits& edits) { edits.browse(ui_); }); });
    auto* line = new QHBoxLayout;
    line->addWidget(BrowserEdit, 1);
    line->addWidget(BrowseBtn);
    return captioned("&Path To Browser:-", BrowserEdit, line);
}

QWidget* TPreviewSettingsForm::buildSuggestions()
{
    auto* group = new QGroupBox(" Use one of these browsers:- ");
    auto* layout = new QHBoxLayout(group);
    for (const qs::BrowserSuggestion& suggestion : qs::browserSuggestions) {
        QPushButton* button =
            plainButton(fromBytes(suggestion.maker) + QChar('\n') + fromBytes(suggestion.name));
        button->setMinimumHeight(48);
        const std::string_view path = suggestion.path;
        connect(button, &QPushButton::clicked, this, [this, path] {
            withEdits([this, path](qs::PreviewSettingsEdits& edits) { edits.suggest(path, ui_); });
        });
        layout->addWidget(button);
        SuggestionBtns << button;
    }
    return group;
}

QWidget* TPreviewSettingsForm::buildAddressRow()
{
    AddressEdit = new QLineEdit;
    AddressEdit->setToolTip("The web server that shows the preview: this computer's own unless you "
                            "have one elsewhere.");
    AddressPathLabel = new QLabel;
    auto* line = new QHBoxLayout;
    line->setSpacing(0);
    line->addWidget(AddressEdit, 1);
    line->addWidget(AddressPathLabel);
    return captioned("Preview &address:-", AddressEdit, line);
}

void TPreviewSettingsForm::withEdits(const std::function<void(qs::PreviewSettingsEdits&)>& step)
{
    TypedTexts typed(ui_);
    qs::PreviewSettingsEdits edits{typed(BrowserEdit->text()), typed(AddressEdit->text())};
    if (!typed.held())
        return;
    step(edits);
    BrowserEdit->setText(fromBytes(edits.browserPath));
    AddressEdit->setText(fromBytes(edits.address));
}

bool TPreviewSettingsForm::execute()
{
    qs::PreviewSettingsEdits edits;
    edits.fill(state_, settings_);
    BrowserEdit->setText(fromBytes(edits.browserPath));
    AddressEdit->setText(fromBytes(edits.address));
    AddressPathLabel->setText(fromBytes(qs::previewURL("", state_.ShopName)));
    ui_.message(qs::proxyNote, MessageKind::Information);
    BrowserEdit->setFocus();
    return exec() == QDialog::Accepted;
}

void TPreviewSettingsForm::confirm()
{
    TypedTexts typed(ui_);
    const qs::PreviewSettingsEdits edits{typed(BrowserEdit->text()), typed(AddressEdit->text())};
    if (typed.held() && edits.accept(state_, settings_, ui_))
        accept();
}

} // namespace qs::gui
