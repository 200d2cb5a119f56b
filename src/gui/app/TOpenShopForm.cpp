#include "gui/app/TOpenShopForm.h"

#include "gui/text/Encoding.h"
#include "core/app/ShopWorkspace.h"
#include "core/ui/UserInterface.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace qs::gui {

TOpenShopForm::TOpenShopForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui)
{
    PromptLabel = new QLabel("Please select your shop:-");
    ShopsBox = new QListWidget;
    OKBtn = new QPushButton("&OK");
    OKBtn->setDefault(true);
    // Enter always means OK, wherever the focus was left last time.
    NewShopBtn = new QPushButton("&New Shop");
    NewShopBtn->setAutoDefault(false);
    CancelBtn = new QPushButton("Cancel");
    CancelBtn->setAutoDefault(false);
    connect(OKBtn, &QPushButton::clicked, this, &TOpenShopForm::confirm);
    connect(ShopsBox, &QListWidget::itemDoubleClicked, this, &TOpenShopForm::confirm);
    connect(NewShopBtn, &QPushButton::clicked, this, &TOpenShopForm::newShop);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

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
    chooser_.fill(state_);
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
