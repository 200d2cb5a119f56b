#pragma once

#include "core/import/ImportCommand.h"
#include "core/import/ImportQuestions.h"
#include "core/import/ImportSheet.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QTableView;
class QToolBar;

namespace qs {
struct AppState;
class TNewCategory;
class UserInterface;
} // namespace qs

namespace qs::gui {

class ImportTableModel;
class QtUserInterface;
class TColumnAssignedForm;
class TEmptyCellDlg;
class TTableErrorForm;

// "Quaystall DB Database Importer": the table to import in a grid, each
// row's type in the heading on its left and each column's field in the
// heading above it. The merchant marks rows through the row menu, assigns
// columns through the column menu, may edit cells, and adds the rows to
// the catalogue or checks first what adding them would do. The window is
// opened maximised and modal; while a merge runs it takes no input.
class TImportForm : public QDialog, public qs::ImportQuestions {
    Q_OBJECT
public:
    // With no user interface given, it talks through Qt dialogs of its own,
    // which stand over it.
    explicit TImportForm(qs::AppState& app, qs::UserInterface* ui = nullptr, QWidget* parent = nullptr);
    ~TImportForm() override;

    // The open-file dialog, then the table it chose with its assignment
    // file. False when the merchant cancelled or the table could not be read.
    bool loadTable();
    bool openTable(const std::string& path);
    // Shows the window for the node selected in the main window, until it closes.
    void execute(qs::TNewCategory& selected);

    void addToCatalogue();
    void check();
    // Rows from the top to the bottom of the selection take the type.
    void setSelectedRowsType(qs::RowType type);
    void useFirstRowAsHeadings();
    // From the column menu: asks first when the field has columns already.
    void setColumnField(int column, std::size_t field);
    void unassignColumn(int column);

    qs::ImportSheet& sheet() { return sheet_; }
    ImportTableModel& model() const { return *model_; }
    bool merging() const { return merging_; }

    qs::MissingFieldAnswer missingField(const qs::MissingField& field, bool ignoreRecommended) override;
    qs::EmptyCellReply emptyCell(const qs::CellPosition& cell) override;

    static constexpr const char* caption = "Quaystall DB Database Importer";

    QToolBar* ToolBar = nullptr;
    QAction* AddToCatalogueItem = nullptr;
    QAction* CheckItem = nullptr;
    QTableView* StringGrid = nullptr;
    QLabel* StatusInfo = nullptr;
    QMenu* RowPopup = nullptr;
    QMenu* ColPopup = nullptr;
    QMenu* SetColumnMenu = nullptr;
    TColumnAssignedForm* ColumnAssignedForm = nullptr;
    TEmptyCellDlg* EmptyCellDlg = nullptr;
    TTableErrorForm* TableErrorForm = nullptr;

signals:
    void helpRequested();

protected:
    // Neither the close box nor Escape closes the window while a merge runs.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildActions();
    void buildGrid();
    void buildMenus();
    void buildFieldMenu();
    void showRowMenu(const QPoint& at);
    void showColumnMenu(const QPoint& at);
    // Runs a merge or a check: the commands are off meanwhile, and the grid
    // shows afterwards what the empty-cell pass settled.
    void whileMerging(const std::function<void()>& work);

    qs::AppState& app_;
    std::unique_ptr<QtUserInterface> ownUi_;
    qs::UserInterface* ui_;
    qs::ImportSheet sheet_;
    std::string tablePath_;
    ImportTableModel* model_;
    qs::ImportCommand command_;
    qs::TNewCategory* selected_ = nullptr;
    bool merging_ = false;
    int menuColumn_ = -1;
};

} // namespace qs::gui
