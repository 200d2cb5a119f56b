#include "gui/publish/TOrdersForm.h"

#include "core/app/AppState.h"
#include "core/text/FileError.h"
#include "core/text/ReadFile.h"
#include "core/ui/UserInterface.h"
#include "gui/publish/OrderDocument.h"
#include "gui/ui/DialogParts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace qs::gui {
namespace {

enum Column { Number, Date, Customer, Total, Status, ColumnCount };

} // namespace

TOrdersForm::TOrdersForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent)
    : QDialog(parent), state_(state), ui_(ui)
{
    setWindowTitle("Orders");
    SummaryLabel = new QLabel;
    OrderGrid = new QTableWidget(0, ColumnCount);
    auto* gridLabel = labelFor("&Orders:", OrderGrid);
    OrderGrid->setObjectName("OrderGrid");
    OrderGrid->setHorizontalHeaderLabels({"Number", "Date", "Customer", "Total", "Status"});
    OrderGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    OrderGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    OrderGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    OrderGrid->verticalHeader()->hide();
    OrderGrid->horizontalHeader()->setStretchLastSection(true);
    OrderView = new QTextBrowser;
    OrderView->setObjectName("OrderView");
    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(OrderGrid);
    splitter->addWidget(OrderView);
    splitter->setStretchFactor(1, 2);

    PrintBtn = new QPushButton("&Print...");
    CloseBtn = new QPushButton("C&lose");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(PrintBtn);
    buttons->addWidget(CloseBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SummaryLabel);
    layout->addWidget(gridLabel);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    resize(760, 620);

    connect(OrderGrid, &QTableWidget::itemSelectionChanged, this, &TOrdersForm::showSelected);
    connect(PrintBtn, &QPushButton::clicked, this, &TOrdersForm::printShown);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::close);
}

void TOrdersForm::showOrders(const std::vector<qs::FetchedOrder>& justFetched)
{
    const std::vector<qs::FetchedOrder> orders = qs::fetchedOrders(state_);
    QString summary = justFetched.empty() ? QStringLiteral("No new orders on your web host.")
                      : justFetched.size() == 1
                          ? QStringLiteral("1 new order fetched from your web host.")
                          : QStringLiteral("%1 new orders fetched from your web host.").arg(justFetched.size());
    for (const qs::FetchedOrder& order : justFetched)
        if (order.numberTakenBefore)
            summary += "\n" + QString::fromStdString(qs::numberTakenBeforeMessage(order));
    SummaryLabel->setText(summary);
    OrderGrid->setRowCount(0);
    OrderGrid->setRowCount(int(orders.size()));
    // The first new order is chosen; without one, the latest.
    int selected = int(orders.size()) - 1;
    for (int r = int(orders.size()) - 1; r >= 0; --r) {
        const qs::FetchedOrder& order = orders[std::size_t(r)];
        const bool isNew =
            std::any_of(justFetched.begin(), justFetched.end(),
                        [&](const qs::FetchedOrder& fetched) { return fetched.file == order.file; });
        if (isNew)
            selected = r;
        const std::string cells[ColumnCount] = {order.number, order.date, order.name, order.total,
                                                order.status};
        for (int c = 0; c < ColumnCount; ++c) {
            auto* item =
                new QTableWidgetItem(c == Date ? orderDate(cells[c]) : QString::fromStdString(cells[c]));
            QFont font = item->font();
            font.setBold(isNew);
            item->setFont(font);
            if (c == Number)
                item->setData(Qt::UserRole, QString::fromStdString(order.file));
            OrderGrid->setItem(r, c, item);
        }
    }
    OrderGrid->resizeColumnsToContents();
    OrderView->clear();
    if (selected >= 0)
        OrderGrid->selectRow(selected);
    PrintBtn->setEnabled(selected >= 0);
    show();
    raise();
    activateWindow();
}

void TOrdersForm::showSelected()
{
    const QList<QTableWidgetItem*> items = OrderGrid->selectedItems();
    if (items.isEmpty())
        return;
    const std::string file =
        OrderGrid->item(items.front()->row(), Number)->data(Qt::UserRole).toString().toStdString();
    try {
        OrderView->setHtml(orderHtml(qs::readFileBytes(qs::fetchedOrderFile(state_, file))));
    } catch (const qs::FileError& error) {
        ui_.message(error.what(), MessageKind::Error);
    }
}

void TOrdersForm::print(QPrinter& printer) const
{
    OrderView->document()->print(&printer);
}

void TOrdersForm::printShown()
{
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle("Print Order");
    if (dialog.exec() == QDialog::Accepted)
        print(printer);
}

} // namespace qs::gui
