#include "gui/publish/OrderDocument.h"

#include "core/text/NameValueList.h"

#include <QRegularExpression>
#include <QStringList>

#include <map>
#include <set>

namespace qs::gui {
namespace {

QString escaped(std::string_view value)
{
    QString text = QString::fromUtf8(value.data(), qsizetype(value.size())).toHtmlEscaped();
    return text.replace(QStringLiteral("&lt;br&gt;"), QStringLiteral("<br>"));
}

QString currencySign(const QString& code)
{
    static const std::map<QString, QString> signs{
        {"GBP", QStringLiteral("\u00a3")}, {"EUR", QStringLiteral("\u20ac")}, {"USD", QStringLiteral("$")}};
    const auto sign = signs.find(code.toUpper());
    return sign != signs.end() ? sign->second : code.isEmpty() ? QString() : code + QLatin1Char(' ');
}

QString row(const QString& label, const QString& value)
{
    return QStringLiteral("<tr><th align=\"left\">%1</th><td>%2</td></tr>").arg(label, value);
}

// An amount as the order file writes it ("1234.50", "-3.81") with the
// currency's sign and its thousands marked: "-£1,234.50".
QString money(const QString& sign, std::string_view written)
{
    QString amount = QString::fromUtf8(written.data(), qsizetype(written.size()));
    const bool negative = amount.startsWith(QLatin1Char('-'));
    if (negative)
        amount.remove(0, 1);
    for (qsizetype at = amount.indexOf(QLatin1Char('.')) - 3; at > 0; at -= 3)
        amount.insert(at, QLatin1Char(','));
    return (negative ? QStringLiteral("-") : QString()) + (sign + amount).toHtmlEscaped();
}

// The order's values in file order; "line" and "figure" entries apart.
struct OrderValues {
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::string> lines;
    std::vector<std::string> figures; // key TAB amount TAB label, as the summary showed them

    std::string_view value(std::string_view name) const
    {
        for (const auto& [key, text] : values)
            if (key == name)
                return text;
        return {};
    }
};

OrderValues readValues(const std::string& bytes)
{
    OrderValues order;
    const NameValueList file = NameValueList::fromText(bytes);
    for (const std::string& line : file.lines()) {
        const std::string name(NameValueList::nameOf(line));
        if (name.empty())
            continue;
        if (name == "line")
            order.lines.emplace_back(NameValueList::valueOf(line));
        else if (name == "figure")
            order.figures.emplace_back(NameValueList::valueOf(line));
        else
            order.values.emplace_back(name, NameValueList::valueOf(line));
    }
    return order;
}

QString linesTable(const OrderValues& order, const QString& sign)
{
    QString table = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">"
                                   "<tr><th>Qty</th><th>Cat. No.</th><th>Product</th><th>Type</th>"
                                   "<th>Options</th><th align=\"right\">Total</th></tr>");
    for (const std::string& line : order.lines) {
        QStringList pieces = QString::fromUtf8(line).split(QLatin1Char('\t'));
        while (pieces.size() < 6)
            pieces.append(QString());
        table += QStringLiteral("<tr>");
        for (int i = 0; i < 5; ++i)
            table += QStringLiteral("<td>%1</td>").arg(escaped(pieces[i].toStdString()));
        table += QStringLiteral("<td align=\"right\">%1</td></tr>").arg(money(sign, pieces[5].toStdString()));
    }
    return table + QStringLiteral("</table>");
}

} // namespace

QString orderDate(const std::string& written)
{
    static const QRegularExpression iso(QStringLiteral("^(\\d{4}-\\d\\d-\\d\\d)T(\\d\\d:\\d\\d):\\d\\dZ$"));
    const QString text = QString::fromStdString(written);
    const QRegularExpressionMatch match = iso.match(text);
    return match.hasMatch()
               ? match.captured(1) + QLatin1Char(' ') + match.captured(2) + QStringLiteral(" UTC")
               : text;
}

QString orderHtml(const std::string& orderFileBytes)
{
    const OrderValues order = readValues(orderFileBytes);
    const QString sign = currencySign(QString::fromUtf8(order.value("currency")));
    const auto value = [&](std::string_view name) { return escaped(order.value(name)); };

    QString html =
        QStringLiteral("<html><body><h2>Order %1</h2><table cellpadding=\"3\">").arg(value("order"));
    html += row("Date", orderDate(std::string(order.value("date"))).toHtmlEscaped()) +
            row("Status", value("status")) + row("Payment", value("payment"));
    html += QStringLiteral("</table><h3>Customer</h3><table cellpadding=\"3\">");
    const std::pair<const char*, const char*> customer[] = {
        {"name", "Name"},       {"email", "E-mail"},      {"phone", "Phone"},
        {"address", "Address"}, {"postcode", "Postcode"}, {"area", "Delivery area"}};
    for (const auto& [name, label] : customer)
        html += row(label, value(name));
    html += QStringLiteral("</table><h3>Goods</h3>") + linesTable(order, sign);
    html += QStringLiteral("<table cellpadding=\"3\">");
    // The rows the customer saw; an order placed before they were kept has
    // its four sums alone.
    for (const std::string& figure : order.figures) {
        const QStringList pieces = QString::fromUtf8(figure).split(QLatin1Char('\t'));
        if (pieces.size() == 3)
            html += row(pieces[2].toHtmlEscaped(), money(sign, pieces[1].toStdString()));
    }
    const std::pair<const char*, const char*> charges[] = {
        {"subtotal", "Subtotal"}, {"postage", "Postage"}, {"vat", "VAT"}, {"total", "Total"}};
    if (order.figures.empty())
        for (const auto& [name, label] : charges)
            html += row(label, money(sign, order.value(name)));
    html += QStringLiteral("</table>");

    // What the shop wrote besides: the payment's note and whatever a later
    // shop adds. The basket's key and the VAT's mode are the shop's own.
    static const std::set<std::string> shown{
        "order", "date",     "status",   "payment", "name", "email", "phone", "address", "postcode",
        "area",  "currency", "subtotal", "postage", "vat",  "total", "key",   "vatmode"};
    QString further;
    for (const auto& [name, text] : order.values)
        if (!shown.contains(name) && !text.empty())
            further += row(escaped(name), escaped(text));
    if (!further.isEmpty())
        html += QStringLiteral("<h3>Further details</h3><table cellpadding=\"3\">") + further +
                QStringLiteral("</table>");
    return html + QStringLiteral("</body></html>");
}

} // namespace qs::gui
