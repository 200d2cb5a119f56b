#pragma once

#include <QString>

#include <initializer_list>

class QHBoxLayout;
class QListWidget;
class QPushButton;
class QWidget;

namespace qs::gui {

// Pieces the settings dialogs share.

// A button that Enter in another control does not press.
QPushButton* plainButton(const QString& caption);
// The buttons in a row, pushed to the right.
QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons);
// The row of the selected entry, or -1. A list that gets the focus makes its
// first entry current without selecting it, and that selects nothing.
int selectedRow(const QListWidget* list);

} // namespace qs::gui
