#include "gui/settings/TLocationForm.h"

#include "core/app/AppState.h"
#include "core/app/Location.h"
#include "core/text/FileError.h"
#include "core/ui/UserInterface.h"
#include "gui/text/Encoding.h"
#include "gui/ui/DialogParts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace qs::gui {

namespace {

// Paths of the usual depth show whole; the edits grow with the dialog.
constexpr int pathCharacters = 44;
constexpr int nameCharacters = 22;

void addRow(QGridLayout* grid, const QString& label, QLineEdit* edit, int characters,
            const QString& example = {})
{
    const int row = grid->rowCount();
    grid->addWidget(labelFor(label, edit), row, 0);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('x')) * characters);
    grid->addWidget(edit, row, 1);
    grid->setColumnStretch(1, 1);
    if (!example.isEmpty())
        grid->addWidget(new QLabel(example), row, 2);
}

} // namespace

TLocationForm::TLocationForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : OkCancelDialog("Location Details", {.helpTopic = helpTopic, .enter = EnterKey::PressesFocusedButton},
                     parent),
      state_(state), ui_(ui)
{
    PageControl = new QTabWidget;
    PageControl->addTab(buildLocalTab(), "&Local");
    PageControl->addTab(buildRemoteTab(), "&Remote");

    auto* top = new QHBoxLayout;
    top->addWidget(PageControl, 1);
    top->addWidget(buildMailMethod());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buildButtons());
}

QLineEdit* TLocationForm::boundEdit(std::string LocationDetails::*text)
{
    auto* edit = new QLineEdit;
    edits_.emplace_back(edit, text);
    // What cannot be held is told at OK, which checks every edit.
    connect(edit, &QLineEdit::textEdited, this, [this, text](const QString& typed) {
        if (qs::Cp1252Conversion converted = toCatalogueBytes(typed); converted.converted())
            state_.locationDetails.*text = std::move(converted.bytes);
    });
    return edit;
}

QWidget* TLocationForm::buildLocalTab()
{
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    LocalCGIEdit = boundEdit(&LocationDetails::localCgiFolder);
    LocalCGIEdit->setToolTip("The local directory containing the CGI script files.");
    LocalImgEdit = boundEdit(&LocationDetails::localImageFolder);
    LocalImgEdit->setToolTip("The local directory where the image files for the shop are stored.");
    LocalImgURLEdit = boundEdit(&LocationDetails::localImageUrl);
    LocPerlPathEdit = boundEdit(&LocationDetails::localPerlPath);
    addRow(grid, "Local CGI &Directory:- ", LocalCGIEdit, pathCharacters);
    addRow(grid, "Local &image directory:-", LocalImgEdit, pathCharacters);
    addRow(grid, "Local image &URL:-", LocalImgURLEdit, pathCharacters);
    addRow(grid, "Local &Perl path:-", LocPerlPathEdit, pathCharacters);
    grid->setRowStretch(grid->rowCount(), 1);
    return tab;
}

QWidget* TLocationForm::buildRemoteTab()
{
    // The remote data folder has no edit: it passes through in the details.
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    RemoteCGIEdit = boundEdit(&LocationDetails::remoteCgiUrl);
    RemoteImgURLEdit = boundEdit(&LocationDetails::remoteImageUrl);
    RemotePerlPathEdit = boundEdit(&LocationDetails::remotePerlPath);
    addRow(grid, "Remote C&GI URL:-", RemoteCGIEdit, pathCharacters);
    addRow(grid, "Remote i&mage URL:-", RemoteImgURLEdit, pathCharacters, "(e.g. /images)");
    addRow(grid, "Remote path to P&erl5:-", RemotePerlPathEdit, pathCharacters, "(e.g. /usr/bin/perl)");
    grid->setRowStretch(grid->rowCount(), 1);
    return tab;
}

QWidget* TLocationForm::buildMailMethod()
{
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    auto* group = new QGroupBox(" Mail Method:- ");
    auto* items = new QVBoxLayout(group);
    SystemMailItem = new QRadioButton("Use system mail comm&and");
    SmtpServerItem = new QRadioButton("Connect directly to &SMTP server");
    items->addWidget(SystemMailItem);
    items->addWidget(SmtpServerItem);
    connect(SystemMailItem, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseMailMethod(LocationDetails::SystemMail);
    });
    connect(SmtpServerItem, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            chooseMailMethod(LocationDetails::SmtpServer);
    });

    SysMailPanel = new QWidget;
    auto* sysGrid = new QGridLayout(SysMailPanel);
    SysMailEdit = boundEdit(&LocationDetails::mailProgram);
    addRow(sysGrid, "System mail comma&nd:- ", SysMailEdit, nameCharacters);

    SMTPPanel = new QWidget;
    auto* smtpGrid = new QGridLayout(SMTPPanel);
    WebServerEdit = boundEdit(&LocationDetails::webServer);
    SMTPServerEdit = boundEdit(&LocationDetails::smtpServer);
    addRow(smtpGrid, "&Web Server:-", WebServerEdit, nameCharacters);
    addRow(smtpGrid, "SMTP Ser&ver:-", SMTPServerEdit, nameCharacters);

    // Both panels share one place, which keeps the room of the taller, so
    // that switching the method does not move anything.
    auto* panels = new QGridLayout;
    for (QWidget* panel : {SysMailPanel, SMTPPanel}) {
        QSizePolicy policy = panel->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        panel->setSizePolicy(policy);
        panels->addWidget(panel, 0, 0, Qt::AlignTop);
    }
    layout->addWidget(group);
    layout->addLayout(panels);
    layout->addStretch(1);
    return box;
}

QLayout* TLocationForm::buildButtons()
{
    cbStartup = new QCheckBox("Do not show at star&t up");
    connect(cbStartup, &QCheckBox::toggled, this,
            [this](bool on) { state_.locationDetails.hiddenAtStartup = on; });
    QHBoxLayout* row = frameButtonRow();
    row->insertWidget(0, cbStartup);
    return row;
}

void TLocationForm::showDetails()
{
    const LocationDetails& details = state_.locationDetails;
    for (const auto& [edit, text] : edits_)
        edit->setText(fromBytes(details.*text));
    cbStartup->setChecked(details.hiddenAtStartup);
    const QSignalBlocker blockSystem(SystemMailItem);
    const QSignalBlocker blockSmtp(SmtpServerItem);
    SystemMailItem->setChecked(details.mailMethod == LocationDetails::SystemMail);
    SmtpServerItem->setChecked(details.mailMethod == LocationDetails::SmtpServer);
    SysMailPanel->setVisible(details.mailMethod == LocationDetails::SystemMail);
    SMTPPanel->setVisible(details.mailMethod == LocationDetails::SmtpServer);
}

void TLocationForm::chooseMailMethod(int method)
{
    state_.locationDetails.chooseMailMethod(state_, method);
    SysMailPanel->setVisible(method == LocationDetails::SystemMail);
    SMTPPanel->setVisible(method == LocationDetails::SmtpServer);
}

bool TLocationForm::execute()
{
    state_.locationDetails.fill(state_);
    showDetails();
    PageControl->setCurrentIndex(0);
    if (exec() != QDialog::Accepted)
        return false;
    try {
        SaveLocation(state_, currentLocationFile(state_));
    } catch (const FileError& error) {
        ui_.message(error.what(), MessageKind::Error);
    }
    return true;
}

void TLocationForm::confirm()
{
    TypedTexts typed(ui_);
    for (const auto& [edit, text] : edits_)
        typed(edit->text());
    if (!typed.held())
        return;
    state_.locationDetails.accept(state_);
    accept();
}

} // namespace qs::gui
