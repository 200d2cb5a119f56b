#include "gui/ui/DialogParts.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace qs::gui {

QLabel* labelFor(const QString& text, QWidget* field)
{
    auto* label = new QLabel(text);
    label->setBuddy(field);
    return label;
}

QPushButton* plainButton(const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setAutoDefault(false);
    return button;
}

QToolButton* arrowButton(Qt::ArrowType arrow)
{
    auto* button = new QToolButton;
    button->setArrowType(arrow);
    return button;
}

QVBoxLayout* arrowColumn(QToolButton* up, QToolButton* down)
{
    auto* column = new QVBoxLayout;
    column->addStretch(1);
    column->addWidget(up);
    column->addWidget(down);
    column->addStretch(1);
    return column;
}

int selectedRow(const QListWidget* list)
{
    const QListWidgetItem* item = list->currentItem();
    return item && item->isSelected() ? list->row(item) : -1;
}

} // namespace qs::gui
