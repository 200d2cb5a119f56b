#include "gui/app/ToolBarButton.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace qs::gui {

ToolBarButton::ToolBarButton(const QString& objectName, const QString& caption, const QString& hint,
                             QWidget* parent)
    : QToolButton(parent)
{
    setObjectName(objectName);
    setText(caption);
    setToolTip(hint);
    setStatusTip(hint);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(pictureSize, pictureSize));
    setFixedSize(buttonWidth, buttonHeight);
    // The button's size is fixed in pixels, so is its caption's.
    QFont small = font();
    small.setPixelSize(captionPixelSize);
    setFont(small);
}

QSize ToolBarButton::sizeHint() const
{
    return QSize(buttonWidth, buttonHeight);
}

QSize ToolBarButton::minimumSizeHint() const
{
    return sizeHint();
}

void ToolBarButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);

    // The frame and hover look come from the style; picture and caption are
    // placed here so that the caption can wrap.
    QStyleOptionToolButton frame = option;
    frame.text.clear();
    frame.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, frame);

    const bool enabled = option.state & QStyle::State_Enabled;
    const bool hot = enabled && (option.state & QStyle::State_MouseOver);
    const QIcon::Mode mode = !enabled ? QIcon::Disabled : hot ? QIcon::Active : QIcon::Normal;
    const int shift = (option.state & (QStyle::State_Sunken | QStyle::State_On)) ? 1 : 0;
    const QRect picture((width() - pictureSize) / 2 + shift, 2 + shift, pictureSize, pictureSize);
    if (!option.icon.isNull())
        option.icon.paint(&painter, picture, Qt::AlignCenter, mode);

    const QRect caption(1 + shift, picture.bottom() + 1, width() - 2, height() - picture.bottom() - 1);
    painter.setPen(palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(caption, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text());
}

} // namespace qs::gui
