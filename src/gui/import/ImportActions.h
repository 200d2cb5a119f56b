#pragma once

#include <QObject>

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

class TCMForm;
class TImportForm;

// File, Import Data from Database and the Import tool button: the table is
// chosen and read, the importer opens over the main window for the node
// selected in the tree, and once it closes the tree shows that node again,
// expanded, with whatever the import added.
class ImportActions : public QObject {
    Q_OBJECT
public:
    // With no user interface given, the importer talks through Qt dialogs.
    ImportActions(TCMForm& form, qs::AppState& app, qs::UserInterface* ui = nullptr);

    void importData();
    TImportForm& importForm() const { return *importForm_; }

private:
    TCMForm& form_;
    qs::AppState& app_;
    TImportForm* importForm_;
};

} // namespace qs::gui
