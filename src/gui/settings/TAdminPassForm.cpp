#include "settings/TAdminPassForm.h"

#include "Encoding.h"
#include "app/AppState.h"
#include "settings/AdminPassword.h"
#include "settings/DialogParts.h"
#include "text/JoinPath.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qs::gui {

TAdminPassForm::TAdminPassForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui)
{
    setWindowTitle("Remote Shop Management Security");
    auto* intro =
        new QLabel("Please enter the ID and password administrators will use to update the shop online.");
    intro->setWordWrap(true);
    Edit1 = new QLineEdit;
    Edit2 = new QLineEdit;
    OKBtn = new QPushButton("OK");
    OKBtn->setDefault(true);
    CancelBtn = plainButton("Cancel");
    HelpBtn = plainButton("Help");
    connect(OKBtn, &QPushButton::clicked, this, &TAdminPassForm::confirm);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this, [this] { emit helpRequested(helpTopic); });
    auto* fields = new QFormLayout;
    fields->addRow("User ID:-", Edit1);
    fields->addRow("Password:-", Edit2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(fields);
    layout->addLayout(buttonRow({OKBtn, CancelBtn, HelpBtn}));
}

std::string TAdminPassForm::passwordFile() const
{
    return qs::joinPath(state_.ShopCGIDir(), qs::adminPasswordFileName);
}

bool TAdminPassForm::execute()
{
    // After a failed read the fields are empty: never another shop's password.
    const qs::AdminPassword admin =
        qs::AdminPassword::read(passwordFile(), ui_).value_or(qs::AdminPassword());
    Edit1->setText(fromBytes(admin.userId));
    Edit2->setText(fromBytes(admin.password));
    Edit1->setFocus();
    return exec() == QDialog::Accepted;
}

void TAdminPassForm::confirm()
{
    TypedTexts typed(ui_);
    const qs::AdminPassword admin{typed(Edit1->text()), typed(Edit2->text())};
    if (!typed.held() || !admin.write(passwordFile(), ui_))
        return;
    state_.SettingsModified = true;
    accept();
}

} // namespace qs::gui
