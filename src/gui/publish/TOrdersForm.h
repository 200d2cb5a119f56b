#pragma once

#include "core/publish/FetchOrders.h"

#include <QDialog>

#include <vector>

class QLabel;
class QPrinter;
class QPushButton;
class QTableWidget;
class QTextBrowser;

namespace qs {
struct AppState;
class UserInterface;
} // namespace qs

namespace qs::gui {

// "Orders": the orders fetched from the web host into the shop, one a row
// (number, date, customer, total, status), those of the last fetch in bold.
// The selected order shows below, ready to print.
class TOrdersForm : public QDialog {
    Q_OBJECT
public:
    TOrdersForm(qs::AppState& state, qs::UserInterface& ui, QWidget* parent = nullptr);

    // Lists the open shop's fetched orders, selects the first of those just
    // fetched (else the last), and shows the window.
    void showOrders(const std::vector<qs::FetchedOrder>& justFetched);
    // The shown order onto the printer.
    void print(QPrinter& printer) const;

    QLabel* SummaryLabel = nullptr;
    QTableWidget* OrderGrid = nullptr;
    QTextBrowser* OrderView = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

private:
    void showSelected();
    void printShown();

    qs::AppState& state_;
    qs::UserInterface& ui_;
};

} // namespace qs::gui
