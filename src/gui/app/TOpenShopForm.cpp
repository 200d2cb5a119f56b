#include "gui/app/TOpenShopForm.h"

#include "gui/text/Encoding.h"
#include "core/app/ShopWorkspace.h"
#include "gui/ui/DialogParts.h"
#include "core/ui/UserInterface.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace qs::gui {

TOpenShopForm::TOpenShopForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog({}, {.ok = "&OK"}, parent), state_(state), ui_(ui)
{
    PromptLabel = new QLabel("Please select your shop:-");
    ShopsBox = new QListWidget;
    // Like Cancel, it never takes Enter: Enter always means OK, wherever the
    // focus was left last time.
    NewShopBtn = plainButton("&New Shop");
    connect(ShopsBox, &QListWidget::itemDoubleClicked, this, &TOpenShopForm::confirm);
    connect(NewShopBtn, &QPushButton::clicked, this, &TOpenShopForm::newShop);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(OKBtn);
    buttons->addWidget(NewShopBtn);
    buttons->addWidget(CancelBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PromptLabel);
    layout->addWidget(ShopsBox);
    layout->addLayout(buttons);
    setMode(ShopChooser::Mode::Open);
}

void TOpenShopForm::setMode(ShopChooser::Mode mode)
{
    chooser_.setMode(mode);
    setWindowTitle(fromBytes(chooser_.caption()));
    NewShopBtn->setVisible(chooser_.newShopVisible());
}

void TOpenShopForm::fillList()
{
    chooser_.fill(state_, offeredFirst_);
    ShopsBox->clear();
    for (const std::string& name : chooser_.shops())
        ShopsBox->addItem(fromBytes(name));
    ShopsBox->setCurrentRow(chooser_.selected());
    OKBtn->setEnabled(chooser_.okEnabled());
}

bool TOpenShopForm::execute()
{
    fillList();
    ShopsBox->setFocus();
    return exec() == QDialog::Accepted;
}

void TOpenShopForm::confirm()
{
    chooser_.select(ShopsBox->currentRow());
    if (chooser_.confirm(state_, ui_))
        accept();
}

void TOpenShopForm::newShop()
{
    // A script that could not be copied ends the command, not the dialog.
    try {
        if (NewShop(state_, ui_))
            accept();
    } catch (const std::exception& error) {
        ui_.message(error.what(), MessageKind::Error);
    }
}

} // namespace qs::gui
