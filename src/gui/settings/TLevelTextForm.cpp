#include "gui/settings/TLevelTextForm.h"

#include "core/app/AppState.h"
#include "core/settings/SettingsChange.h"
#include "gui/text/Encoding.h"
#include "gui/ui/DialogParts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qs::gui {

TLevelTextForm::TLevelTextForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Catalogue Navigation...", {.cancel = {}, .helpTopic = helpTopic}, parent),
      state_(state), ui_(ui)
{
    auto* intro = new QLabel("The easiest way to design a shopfront in Quaystall DB is to use a single HTML "
                             "template for navigating the catalogue.\n\n Quaystall DB allows you to set up "
                             "alternative texts to be used at different levels of navigation.");
    intro->setWordWrap(true);
    LevTexMemo = new QPlainTextEdit;
    LevTexMemo->setTabChangesFocus(true);
    HeadingLabel = labelFor("&Level Text", LevTexMemo);
    PrevBtn = plainButton("<< &Previous");
    NextBtn = plainButton("&Next >>");
    Edit1 = new QLineEdit;
    Edit1->setMaximumWidth(60);
    connect(PrevBtn, &QPushButton::clicked, this, [this] { step(Direction::Previous); });
    connect(NextBtn, &QPushButton::clicked, this, [this] { step(Direction::Next); });

    auto* radio = new QFrame;
    radio->setFrameShape(QFrame::StyledPanel);
    auto* radioRow = new QHBoxLayout;
    radioRow->addWidget(labelFor("Displa&y up to", Edit1));
    radioRow->addWidget(Edit1);
    radioRow->addWidget(new QLabel("options as radio-buttons"));
    radioRow->addStretch(1);
    auto* radioLayout = new QVBoxLayout(radio);
    radioLayout->addLayout(radioRow);
    radioLayout->addWidget(
        new QLabel("( More than this, and options will be presented in a drop-down list )"));
    auto* steps = new QHBoxLayout;
    steps->addWidget(PrevBtn);
    steps->addWidget(NextBtn);
    steps->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(HeadingLabel);
    layout->addWidget(LevTexMemo, 1);
    layout->addLayout(steps);
    layout->addWidget(radio);
    layout->addLayout(frameButtonRow());
    resize(520, 420);
}

bool TLevelTextForm::execute()
{
    Edit1->setText(fromBytes(state_.ShopFields.value("opt_radio_entries")));
    texts_.fill(state_.ShopFields, state_.MAX_CATEGORY_DEPTH);
    showLevel();
    LevTexMemo->setFocus();
    return exec() == QDialog::Accepted;
}

void TLevelTextForm::showLevel()
{
    LevTexMemo->setPlainText(fromBytes(texts_.text()));
    // Its first letter leads to the text; a "&" of its own shows as itself.
    HeadingLabel->setText("&" + fromBytes(texts_.heading()).replace(QLatin1Char('&'), QStringLiteral("&&")));
    PrevBtn->setEnabled(texts_.hasPrevious());
    NextBtn->setEnabled(texts_.hasNext());
}

bool TLevelTextForm::storeLevel()
{
    const std::optional<std::string> text = typedBytes(LevTexMemo->toPlainText(), ui_);
    return text && texts_.store(*text, ui_);
}

void TLevelTextForm::step(Direction direction)
{
    if (!storeLevel())
        return;
    direction == Direction::Next ? texts_.next() : texts_.previous();
    showLevel();
}

void TLevelTextForm::confirm()
{
    if (!storeLevel())
        return;
    const std::optional<std::string> entries = typedBytes(Edit1->text(), ui_);
    if (!entries)
        return;
    const qs::ShopSettings before = state_.ShopFields;
    if (!texts_.acceptEntries(state_.ShopFields, *entries, ui_))
        return;
    qs::noteSettingsChange(state_, before);
    accept();
}

void TLevelTextForm::done(int result)
{
    // A text that cannot be stored keeps the dialog open, so nothing typed is lost.
    if (!storeLevel())
        return;
    const qs::ShopSettings before = state_.ShopFields;
    texts_.storeTexts(state_.ShopFields);
    qs::noteSettingsChange(state_, before);
    QDialog::done(result);
}

} // namespace qs::gui
