#pragma once

#include "core/catalogue/grids/CellView.h"

#include <QVariant>

namespace qs::gui {

// The colours of the grids' cells: inherited values green, values chosen
// through a dialog blue, "(Several...)" red, fixed cells on silver.
QVariant foregroundFor(qs::CellStyle style);
QVariant backgroundFor(qs::CellStyle style);
// A value the shop cannot use as it stands (its note says why) on pale red.
QVariant unreadableBackground();

} // namespace qs::gui
