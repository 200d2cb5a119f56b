#include "gui/import/TImportForm.h"

#include "gui/text/Encoding.h"
#include "gui/ui/QtUserInterface.h"
#include "core/app/AppState.h"
#include "gui/import/ImportTableModel.h"
#include "core/import/OpenImportTable.h"
#include "gui/import/TColumnAssignedForm.h"
#include "gui/import/TEmptyCellDlg.h"
#include "gui/import/TTableErrorForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace qs::gui {

TImportForm::TImportForm(qs::AppState& app, qs::UserInterface* ui, QWidget* parent)
    : QDialog(parent, Qt::Window), app_(app), ownUi_(ui ? nullptr : std::make_unique<QtUserInterface>(this)),
      ui_(ui ? ui : ownUi_.get()), model_(new ImportTableModel(sheet_, app.InfoList, *ui_, this)),
      command_(app, app.InfoList, app, *ui_, *this)
{
    setObjectName("ImportForm");
    setWindowTitle(caption);
    ColumnAssignedForm = new TColumnAssignedForm(this);
    EmptyCellDlg = new TEmptyCellDlg(this);
    TableErrorForm = new TTableErrorForm(this);
    connect(ColumnAssignedForm, &TColumnAssignedForm::helpRequested, this, &TImportForm::helpRequested);
    connect(TableErrorForm, &TTableErrorForm::helpRequested, this, &TImportForm::helpRequested);
    buildActions();
    buildGrid();
    buildMenus();
}

// The grid and its model go before the sheet they show.
TImportForm::~TImportForm()
{
    delete StringGrid;
    delete model_;
}

void TImportForm::buildActions()
{
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu("&File");
    AddToCatalogueItem = file->addAction("&Add Data To Catalogue", this, &TImportForm::addToCatalogue);
    AddToCatalogueItem->setObjectName("AddToCatalogueItem");
    CheckItem = file->addAction("&Check", this, &TImportForm::check);
    CheckItem->setObjectName("CheckItem");

    ToolBar = new QToolBar(this);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* addButton = ToolBar->addAction("Add to Catalogue", AddToCatalogueItem, &QAction::trigger);
    addButton->setToolTip("Add Data to Catalogue");
    QAction* checkButton = ToolBar->addAction("Check", CheckItem, &QAction::trigger);
    checkButton->setToolTip("What Add to Catalogue would do, without changing the catalogue");
    connect(AddToCatalogueItem, &QAction::enabledChanged, addButton, &QAction::setEnabled);
    connect(CheckItem, &QAction::enabledChanged, checkButton, &QAction::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(ToolBar);
}

void TImportForm::buildGrid()
{
    StringGrid = new QTableView(this);
    StringGrid->setObjectName("StringGrid");
    StringGrid->setModel(model_);
    StringGrid->setWordWrap(false);
    StringGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid->setCornerButtonEnabled(false);
    // Rows of one height, sized once: a million rows open at once.
    StringGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    StringGrid->verticalHeader()->setDefaultSectionSize(StringGrid->fontMetrics().height() + 6);
    StringGrid->verticalHeader()->setMinimumWidth(StringGrid->fontMetrics().horizontalAdvance("Suppress") +
                                                  16);
    StringGrid->horizontalHeader()->setDefaultSectionSize(
        StringGrid->fontMetrics().horizontalAdvance("Custom Field 10 (1)") + 16);
    StringGrid->hide();
    for (QHeaderView* header : {StringGrid->verticalHeader(), StringGrid->horizontalHeader()})
        header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(StringGrid->verticalHeader(), &QWidget::customContextMenuRequested, this,
            &TImportForm::showRowMenu);
    connect(StringGrid->horizontalHeader(), &QWidget::customContextMenuRequested, this,
            &TImportForm::showColumnMenu);

    auto* statusBar = new QStatusBar(this);
    StatusInfo = new QLabel(statusBar);
    StatusInfo->setObjectName("StatusInfo");
    statusBar->addWidget(StatusInfo, 1);
    connect(StringGrid, &QTableView::clicked, this, [this](const QModelIndex& index) {
        StatusInfo->setText(model_->cellText(index.row(), index.column()));
    });

    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->addWidget(StringGrid, 1);
    layout->addWidget(statusBar);
}

void TImportForm::buildMenus()
{
    RowPopup = new QMenu(this);
    RowPopup->setObjectName("RowPopup");
    RowPopup->addAction("Set Row As &Product", this, [this] { setSelectedRowsType(qs::RowType::Product); });
    RowPopup->addAction("Set Row As &Category", this, [this] { setSelectedRowsType(qs::RowType::Category); });
    RowPopup->addAction("&Don't Import this Row", this,
                        [this] { setSelectedRowsType(qs::RowType::Suppress); });
    RowPopup->addSeparator();
    RowPopup->addAction("Use &First Row as Headings", this, &TImportForm::useFirstRowAsHeadings);

    ColPopup = new QMenu(this);
    ColPopup->setObjectName("ColPopup");
    ColPopup->addAction("&Don't Import This Column", this, [this] { unassignColumn(menuColumn_); });
    SetColumnMenu = ColPopup->addMenu("&Set this Column to be...");
}

// Once, with the first table: the definitions are read at start-up, after the window was made.
void TImportForm::buildFieldMenu()
{
    if (!SetColumnMenu->isEmpty())
        return;
    for (std::size_t field = 0; field < app_.InfoList.count(); ++field)
        SetColumnMenu->addAction(fromBytes(app_.InfoList.FieldNameAt(static_cast<std::ptrdiff_t>(field))),
                                 this, [this, field] { setColumnField(menuColumn_, field); });
}

bool TImportForm::loadTable()
{
    const std::optional<std::string> path = qs::chooseImportTable(app_, *ui_);
    return path && openTable(*path);
}

bool TImportForm::openTable(const std::string& path)
{
    std::optional<qs::ImportSheet> sheet = qs::openImportTable(path, app_.InfoList, *ui_);
    if (!sheet)
        return false;
    buildFieldMenu();
    sheet_ = std::move(*sheet);
    tablePath_ = path;
    model_->sheetReplaced();
    StatusInfo->clear();
    StringGrid->show();
    return true;
}

void TImportForm::execute(qs::TNewCategory& selected)
{
    selected_ = &selected;
    // The whole screen even where no window manager maximises it.
    if (const QScreen* screen = this->screen())
        setGeometry(screen->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    exec();
    selected_ = nullptr;
}

void TImportForm::whileMerging(const std::function<void()>& work)
{
    if (merging_ || !selected_)
        return;
    merging_ = true;
    AddToCatalogueItem->setEnabled(false);
    CheckItem->setEnabled(false);
    work();
    merging_ = false;
    AddToCatalogueItem->setEnabled(true);
    CheckItem->setEnabled(true);
    model_->sheetChanged();
}

void TImportForm::addToCatalogue()
{
    bool close = false;
    whileMerging([&] {
        close =
            command_.addToCatalogue(sheet_, *selected_, tablePath_) == qs::ImportCommand::Outcome::Merged &&
            command_.closeAfterMerge(sheet_, tablePath_);
    });
    if (close)
        accept();
}

void TImportForm::check()
{
    whileMerging([this] { command_.check(sheet_, *selected_); });
}

void TImportForm::closeEvent(QCloseEvent* event)
{
    if (merging_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TImportForm::reject()
{
    if (!merging_)
        QDialog::reject();
}

void TImportForm::setSelectedRowsType(qs::RowType type)
{
    const QItemSelection selection = StringGrid->selectionModel()->selection();
    if (selection.isEmpty())
        return;
    int top = model_->rowCount(), bottom = -1;
    for (const QItemSelectionRange& range : selection) {
        top = std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
    }
    model_->setRowTypes(top, bottom, type);
}

void TImportForm::useFirstRowAsHeadings()
{
    model_->useFirstRowAsHeadings();
}

void TImportForm::setColumnField(int column, std::size_t field)
{
    if (column < 0 || column >= model_->columnCount())
        return;
    qs::AssignMode mode = qs::AssignMode::Add;
    if (!sheet_.assignments().columnsOf(field).empty()) {
        const auto answer =
            ColumnAssignedForm->ask(fromBytes(app_.InfoList.FieldNameAt(static_cast<std::ptrdiff_t>(field))));
        if (!answer)
            return;
        mode = *answer;
    }
    model_->assign(column, field, mode);
}

void TImportForm::unassignColumn(int column)
{
    if (column >= 0 && column < model_->columnCount())
        model_->unassign(column);
}

// A right press on a heading selects its row or column, unless it is already
// in the selection, then opens the menu.
void TImportForm::showRowMenu(const QPoint& at)
{
    const int row = StringGrid->verticalHeader()->logicalIndexAt(at);
    if (row < 0)
        return;
    if (!StringGrid->selectionModel()->isRowSelected(row, QModelIndex()))
        StringGrid->selectRow(row);
    RowPopup->popup(StringGrid->verticalHeader()->mapToGlobal(at));
}

void TImportForm::showColumnMenu(const QPoint& at)
{
    const int column = StringGrid->horizontalHeader()->logicalIndexAt(at);
    if (column < 0)
        return;
    if (!StringGrid->selectionModel()->isColumnSelected(column, QModelIndex()))
        StringGrid->selectColumn(column);
    menuColumn_ = column;
    ColPopup->popup(StringGrid->horizontalHeader()->mapToGlobal(at));
}

qs::MissingFieldAnswer TImportForm::missingField(const qs::MissingField& field, bool ignoreRecommended)
{
    return TableErrorForm->ask(field, ignoreRecommended);
}

qs::EmptyCellReply TImportForm::emptyCell(const qs::CellPosition& cell)
{
    const QModelIndex at = model_->index(static_cast<int>(cell.row), static_cast<int>(cell.column));
    StringGrid->setCurrentIndex(at);
    StringGrid->scrollTo(at);
    return EmptyCellDlg->ask();
}

} // namespace qs::gui
