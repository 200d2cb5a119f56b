#pragma once

#include <QToolButton>

namespace qs::gui {

// A large tool-bar button (54 by 49 pixels) with its picture above a caption
// that may take two lines, as "New Sub-Category" needs at that width.
class ToolBarButton : public QToolButton {
    Q_OBJECT
public:
    static constexpr int buttonWidth = 54;
    static constexpr int buttonHeight = 49;
    static constexpr int pictureSize = 24;
    static constexpr int captionPixelSize = 10;

    ToolBarButton(const QString& objectName, const QString& caption, const QString& hint,
                  QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qs::gui
