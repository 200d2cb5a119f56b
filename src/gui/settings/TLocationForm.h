#pragma once

#include "core/app/LocationDetails.h"

#include "gui/ui/OkCancelDialog.h"

#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// "Location Details": the local and remote folders and paths, and how the
// shop's scripts send mail. The texts live in the core's LocationDetails,
// which outlives the dialog's showings; a mail method takes effect as soon
// as it is chosen.
class TLocationForm : public OkCancelDialog {
    Q_OBJECT
public:
    TLocationForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Fills the dialog from the current values and shows it. On OK the values
    // are taken over and written to the location file in force (the open
    // shop's, else the program-wide one); a failed write is told. True on OK.
    bool execute();

    static constexpr int helpTopic = 1;

    QTabWidget* PageControl = nullptr;
    QLineEdit* LocalCGIEdit = nullptr;
    QLineEdit* LocalImgEdit = nullptr;
    QLineEdit* LocalImgURLEdit = nullptr;
    QLineEdit* LocPerlPathEdit = nullptr;
    QLineEdit* RemoteCGIEdit = nullptr;
    QLineEdit* RemoteImgURLEdit = nullptr;
    QLineEdit* RemotePerlPathEdit = nullptr;
    QRadioButton* SystemMailItem = nullptr;
    QRadioButton* SmtpServerItem = nullptr;
    QWidget* SysMailPanel = nullptr;
    QLineEdit* SysMailEdit = nullptr;
    QWidget* SMTPPanel = nullptr;
    QLineEdit* WebServerEdit = nullptr;
    QLineEdit* SMTPServerEdit = nullptr;
    QCheckBox* cbStartup = nullptr;

private:
    QWidget* buildLocalTab();
    QWidget* buildRemoteTab();
    QWidget* buildMailMethod();
    QLayout* buildButtons();
    // Each edit writes what is typed into its text of the details.
    QLineEdit* boundEdit(std::string LocationDetails::*text);
    void showDetails();
    void chooseMailMethod(int method);
    void confirm() override;

    qs::AppState& state_;
    qs::UserInterface& ui_;
    std::vector<std::pair<QLineEdit*, std::string LocationDetails::*>> edits_;
};

} // namespace qs::gui
