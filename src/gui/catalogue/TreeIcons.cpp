#include "gui/catalogue/TreeIcons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qs::gui {
namespace {

using Draw = void (*)(QPainter&);

QIcon drawn(Draw draw)
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void drawFolder(QPainter& p)
{
    QPainterPath back;
    back.moveTo(1.0, 3.5);
    back.lineTo(6.0, 3.5);
    back.lineTo(7.5, 5.0);
    back.lineTo(14.5, 5.0);
    back.lineTo(14.5, 13.5);
    back.lineTo(1.0, 13.5);
    back.closeSubpath();
    p.setPen(QPen(QColor(176, 124, 28), 0.8));
    p.setBrush(QColor(232, 178, 62));
    p.drawPath(back);

    QLinearGradient front(0, 6.5, 0, 13.5);
    front.setColorAt(0, QColor(255, 226, 128));
    front.setColorAt(1, QColor(246, 192, 72));
    QPainterPath lid;
    lid.moveTo(1.0, 13.5);
    lid.lineTo(2.5, 6.8);
    lid.lineTo(15.5, 6.8);
    lid.lineTo(14.5, 13.5);
    lid.closeSubpath();
    p.setBrush(front);
    p.drawPath(lid);
}

void drawCatalogue(QPainter& p)
{
    // A closed book standing on its cover: the whole catalogue.
    QLinearGradient cover(2, 0, 13, 0);
    cover.setColorAt(0, QColor(38, 92, 170));
    cover.setColorAt(1, QColor(70, 132, 212));
    p.setPen(QPen(QColor(26, 62, 120), 0.8));
    p.setBrush(cover);
    p.drawRoundedRect(QRectF(2.5, 1.5, 11.0, 13.0), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 246));
    p.drawRect(QRectF(4.5, 12.0, 9.0, 1.6));
    p.setBrush(QColor(255, 255, 255, 210));
    p.drawRoundedRect(QRectF(5.5, 4.0, 6.0, 3.0), 0.6, 0.6);
    p.setBrush(QColor(20, 52, 104));
    p.drawRect(QRectF(2.5, 1.5, 1.6, 13.0));
}

} // namespace

QIcon TreeIcons::catalogue()
{
    return drawn(drawCatalogue);
}

QIcon TreeIcons::category()
{
    return drawn(drawFolder);
}

} // namespace qs::gui
