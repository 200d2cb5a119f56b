#include "gui/publish/OrderDocument.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace qs::gui {
namespace {

// The charges of the page as "label amount" texts, in order.
QStringList charges(const QString& html)
{
    static const QRegularExpression row(
        QStringLiteral("<tr><th align=\"left\">([^<]*)</th><td>([^<]*)</td></tr>"));
    QStringList shown;
    for (const QRegularExpressionMatch& match : row.globalMatch(html))
        if (match.captured(2).contains(QRegularExpression(QStringLiteral("\\d\\.\\d\\d$"))))
            shown << match.captured(1) + QLatin1Char(' ') + match.captured(2);
    return shown;
}

TEST(OrderDocumentTest, ShowsTheFiguresTheCustomerSaw)
{
    const std::string head = "order=7\r\ncurrency=gbp\r\nsubtotal=1234.50\r\npostage=6.00\r\nvat=0.00\r\n"
                             "vatmode=removed\r\ntotal=1034.75\r\n";
    struct Case {
        const char* name;
        std::string figures;
        QStringList shown;
    };
    const Case cases[] = {
        {"the rows kept with the order",
         "figure=subtotal\t1234.50\tSubtotal\r\n"
         "figure=vat_taken_off\t-205.75\tVAT taken off (not charged outside the VAT area)\r\n"
         "figure=postage\t6.00\tPostage\r\nfigure=total\t1034.75\tTotal\r\n",
         {QStringLiteral("Subtotal \u00a31,234.50"),
          QStringLiteral("VAT taken off (not charged outside the VAT area) -\u00a3205.75"),
          QStringLiteral("Postage \u00a36.00"), QStringLiteral("Total \u00a31,034.75")}},
        {"an order placed before they were kept",
         "",
         {QStringLiteral("Subtotal \u00a31,234.50"), QStringLiteral("Postage \u00a36.00"),
          QStringLiteral("VAT \u00a30.00"), QStringLiteral("Total \u00a31,034.75")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString html = orderHtml(head + c.figures);
        EXPECT_EQ(charges(html), c.shown);
        EXPECT_FALSE(html.contains(QStringLiteral(">figure<"))) << "the rows are not further details";
    }
}

} // namespace
} // namespace qs::gui
