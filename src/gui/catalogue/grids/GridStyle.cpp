#include "gui/catalogue/grids/GridStyle.h"

#include <QBrush>
#include <QColor>

namespace qs::gui {

QVariant foregroundFor(qs::CellStyle style)
{
    switch (style) {
    case qs::CellStyle::Special:
        return QBrush(QColor(0, 0, 255));
    case qs::CellStyle::Inherited:
        return QBrush(QColor(0, 128, 0));
    case qs::CellStyle::Several:
        return QBrush(QColor(255, 0, 0));
    case qs::CellStyle::Heading:
    case qs::CellStyle::Plain:
        break;
    }
    return QBrush(QColor(0, 0, 0));
}

QVariant backgroundFor(qs::CellStyle style)
{
    return QBrush(style == qs::CellStyle::Heading ? QColor(192, 192, 192) : QColor(255, 255, 255));
}

QVariant unreadableBackground()
{
    return QBrush(QColor(255, 205, 205));
}

} // namespace qs::gui
