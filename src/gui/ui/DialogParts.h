#pragma once

#include <QString>
#include <Qt>

class QLabel;
class QListWidget;
class QWidget;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace qs::gui {

// Pieces the dialogs share.

// A label whose Alt letter (the "&" of its text) puts the focus in the field.
QLabel* labelFor(const QString& text, QWidget* field);
// A button that Enter in another control does not press.
QPushButton* plainButton(const QString& caption);
// A button with an arrow, which moves the selected entry of a list.
QToolButton* arrowButton(Qt::ArrowType arrow);
// The up and down buttons one above the other, centred beside the list.
QVBoxLayout* arrowColumn(QToolButton* up, QToolButton* down);
// The row of the selected entry, or -1. A list that gets the focus makes its
// first entry current without selecting it, and that selects nothing.
int selectedRow(const QListWidget* list);

} // namespace qs::gui
