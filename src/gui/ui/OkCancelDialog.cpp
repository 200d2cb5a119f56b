#include "gui/ui/OkCancelDialog.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

namespace qs::gui {

OkCancelDialog::OkCancelDialog(const QString& title, const Buttons& buttons, QWidget* parent)
    : QDialog(parent), helpTopic_(buttons.helpTopic)
{
    setWindowTitle(title);
    OKBtn = new QPushButton(buttons.ok);
    connect(OKBtn, &QPushButton::clicked, this, [this] { confirm(); });
    if (!buttons.cancel.isEmpty()) {
        CancelBtn = new QPushButton(buttons.cancel);
        connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    }
    if (buttons.helpTopic != 0) {
        HelpBtn = new QPushButton(QStringLiteral("&Help"));
        connect(HelpBtn, &QPushButton::clicked, this,
                [this, topic = buttons.helpTopic] { emit helpRequested(topic); });
    }
    if (buttons.enter == EnterKey::LeftToControls)
        OKBtn->setAutoDefault(false);
    else
        OKBtn->setDefault(true);
    for (QPushButton* button : {CancelBtn, HelpBtn})
        if (button)
            button->setAutoDefault(buttons.enter == EnterKey::PressesFocusedButton);
}

void OkCancelDialog::keyPressEvent(QKeyEvent* event)
{
    if (helpTopic_ != 0 && event->matches(QKeySequence::HelpContents)) {
        emit helpRequested(helpTopic_);
        return;
    }
    QDialog::keyPressEvent(event);
}

void OkCancelDialog::confirm()
{
    accept();
}

QHBoxLayout* OkCancelDialog::frameButtonRow() const
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : {OKBtn, CancelBtn, HelpBtn})
        if (button)
            row->addWidget(button);
    return row;
}

void OkCancelDialog::showEvent(QShowEvent* event)
{
    QFont titleFont = font();
    titleFont.setBold(true);
    // Room beside the title for the window's icon and its buttons.
    constexpr int frameControls = 160;
    const int wanted = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + frameControls;
    if (width() < wanted)
        resize(wanted, height());
    QDialog::showEvent(event);
}

} // namespace qs::gui
