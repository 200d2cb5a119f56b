#pragma once

#include <QString>

#include <string>

namespace qs::gui {

// A fetched order as a page to read and print: the number, date, status and
// payment, the customer's details, a table of the lines, the figures the
// customer saw (for an order placed before they were kept, its four sums),
// and any further values the shop wrote. Amounts show their thousands. Every
// value is escaped; the line breaks the customer typed (kept as "<br>" in
// the file) break the line.
QString orderHtml(const std::string& orderFileBytes);

// An order's date as the shop writes it ("2026-12-08T17:54:21Z") for
// reading: "2026-12-08 17:54 UTC"; any other text as it is.
QString orderDate(const std::string& written);

} // namespace qs::gui
