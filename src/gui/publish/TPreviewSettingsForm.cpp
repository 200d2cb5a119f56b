#include "gui/publish/TPreviewSettingsForm.h"

#include "gui/text/Encoding.h"
#include "core/app/AppState.h"
#include "core/publish/PreviewAddress.h"
#include "core/publish/PreviewSettings.h"
#include "core/ui/UserInterface.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qs::gui {

TPreviewSettingsForm::TPreviewSettingsForm(qs::AppState& state, qs::UserInterface& ui,
                                           qs::PreviewSettings& settings, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui), settings_(settings)
{
    setWindowTitle("Preview Settings...");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildBrowserRow());
    layout->addWidget(buildSuggestions());
    layout->addWidget(buildAddressRow());
    layout->addWidget(buildButtons());
}

QWidget* TPreviewSettingsForm::buildBrowserRow()
{
    auto* row = new QWidget;
    auto* layout = new QVBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel("Path To Browser:-");
    BrowserEdit = new QLineEdit;
    BrowserEdit->setMinimumWidth(360);
    label->setBuddy(BrowserEdit);
    BrowseBtn = new QPushButton("&Browse...");
    BrowseBtn->setAutoDefault(false);
    connect(BrowseBtn, &QPushButton::clicked, this,
            [this] { withEdits([this](qs::PreviewSettingsEdits& edits) { edits.browse(ui_); }); });
    auto* line = new QHBoxLayout;
    line->addWidget(BrowserEdit, 1);
    line->addWidget(BrowseBtn);
    layout->addWidget(label);
    layout->addLayout(line);
    return row;
}

QWidget* TPreviewSettingsForm::buildSuggestions()
{
    auto* group = new QGroupBox(" Use one of these browsers:- ");
    auto* layout = new QHBoxLayout(group);
    for (const qs::BrowserSuggestion& suggestion : qs::browserSuggestions) {
        auto* button =
            new QPushButton(fromBytes(suggestion.maker) + QChar('\n') + fromBytes(suggestion.name));
        button->setAutoDefault(false);
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
    auto* row = new QWidget;
    auto* layout = new QVBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel("Preview address:-");
    AddressEdit = new QLineEdit;
    AddressEdit->setToolTip("The web server that shows the preview: this computer's own unless you "
                            "have one elsewhere.");
    label->setBuddy(AddressEdit);
    AddressPathLabel = new QLabel;
    auto* line = new QHBoxLayout;
    line->setSpacing(0);
    line->addWidget(AddressEdit, 1);
    line->addWidget(AddressPathLabel);
    layout->addWidget(label);
    layout->addLayout(line);
    return row;
}

QWidget* TPreviewSettingsForm::buildButtons()
{
    OKBtn = new QPushButton("OK");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton("Cancel");
    HelpBtn = new QPushButton("Help");
    HelpBtn->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &TPreviewSettingsForm::confirm);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { emit helpRequested(helpTopic); });
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addWidget(OKBtn);
    layout->addWidget(CancelBtn);
    layout->addWidget(HelpBtn);
    return row;
}

void TPreviewSettingsForm::withEdits(const std::function<void(qs::PreviewSettingsEdits&)>& step)
{
    TypedTexts typed(ui_);
    qs::PreviewSettingsEdits edits{typed(BrowserEdit->text()), typed(AddressEdit->text())};
    if (!typed.held())
        return;
    step(edits);
    BrowserEdit->setText(fromBytes(edits.BrowserEdit));
    AddressEdit->setText(fromBytes(edits.AddressEdit));
}

bool TPreviewSettingsForm::execute()
{
    qs::PreviewSettingsEdits edits;
    edits.fill(state_, settings_);
    BrowserEdit->setText(fromBytes(edits.BrowserEdit));
    AddressEdit->setText(fromBytes(edits.AddressEdit));
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
