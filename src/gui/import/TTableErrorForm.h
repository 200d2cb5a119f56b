#pragma once

#include "core/import/ImportQuestions.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace qs::gui {

// "Field Not Defined": a mandatory or recommended field has no column. The
// merchant goes back to the importer, lets the field be filled from the
// category default (not for a unique field), or leaves it blank; a
// recommended field offers to pass over the other recommended fields too.
class TTableErrorForm : public QDialog {
    Q_OBJECT
public:
    explicit TTableErrorForm(QWidget* parent = nullptr);

    // ignoreRecommended: the tick the box has when the dialog opens.
    qs::MissingFieldAnswer ask(const qs::MissingField& field, bool ignoreRecommended);

    QLabel* MessageLabel;
    QGroupBox* ChoiceGroup;
    QRadioButton* ReturnRadio;
    QRadioButton* DefaultRadio;
    QRadioButton* LeaveBlankRadio;
    QCheckBox* IgnoreRecBox;
    QPushButton* HelpBtn;

signals:
    void helpRequested();
};

} // namespace qs::gui
