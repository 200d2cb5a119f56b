#pragma once

#include "core/import/ImportQuestions.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace qs::gui {

// "Warning!": the highlighted cell of an assigned column is empty. The
// merchant leaves it blank, ignores the row or fills it from the previous
// entry, for this cell or, with the box ticked, for the rest of the column;
// Cancel stops the import.
class TEmptyCellDlg : public QDialog {
    Q_OBJECT
public:
    explicit TEmptyCellDlg(QWidget* parent = nullptr);

    // Opens with the first choice selected and the box ticked.
    qs::EmptyCellReply ask();

    QLabel* MessageLabel;
    QGroupBox* ChoiceGroup;
    QRadioButton* BlankRadio;
    QRadioButton* IgnoreRadio;
    QRadioButton* PreviousRadio;
    QCheckBox* DefaultBox;
};

} // namespace qs::gui
