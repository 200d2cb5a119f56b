#pragma once

#include "core/import/ColumnAssignments.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;

namespace qs::gui {

// "Warning": a column is being given to a field that has columns already.
// The merchant switches to the new column, keeps the old ones and adds it,
// or reverts (Cancel, or closing the dialog).
class TColumnAssignedForm : public QDialog {
    Q_OBJECT
public:
    explicit TColumnAssignedForm(QWidget* parent = nullptr);

    // Switch or Add; none to revert.
    std::optional<qs::AssignMode> ask(const QString& fieldName);

    static QString message(const QString& fieldName);

    QLabel* MessageLabel;
    QPushButton* SwitchBtn;
    QPushButton* RevertBtn;
    QPushButton* AddBtn;
    QPushButton* HelpBtn;

signals:
    void helpRequested();

private:
    std::optional<qs::AssignMode> answer_;
};

} // namespace qs::gui
