#include "gui/settings/TAdminPassForm.h"

#include "gui/text/Encoding.h"
#include "core/app/AppState.h"
#include "core/settings/AdminPassword.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qs::gui {

TAdminPassForm::TAdminPassForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Remote Shop Management Security", {.helpTopic = helpTopic}, parent), state_(state),
      ui_(ui)
{
    auto* intro =
        new QLabel("Please enter the ID and password administrators will use to update the shop online.");
    intro->setWordWrap(true);
    Edit1 = new QLineEdit;
    Edit2 = new QLineEdit;
    auto* fields = new QFormLayout;
    fields->addRow("&User ID:-", Edit1);
    fields->addRow("&Password:-", Edit2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(fields);
    layout->addLayout(frameButtonRow());
}

bool TAdminPassForm::execute()
{
    const qs::AdminPassword admin = qs::AdminPassword::load(state_.ShopCGIDir(), ui_);
    Edit1->setText(fromBytes(admin.userId));
    Edit2->setText(fromBytes(admin.password));
    Edit1->setFocus();
    return exec() == QDialog::Accepted;
}

void TAdminPassForm::confirm()
{
    TypedTexts typed(ui_);
    const qs::AdminPassword admin{typed(Edit1->text()), typed(Edit2->text())};
    if (typed.held() && admin.save(state_.ShopCGIDir(), state_.SettingsModified, ui_))
        accept();
}

} // namespace qs::gui
