#include "gui/app/HelpViewer.h"

#include "core/app/AppState.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace qs::gui {

HelpViewer::HelpViewer(const qs::AppState& app, QWidget* parent) : QWidget(parent, Qt::Window), app_(app)
{
    setObjectName("HelpViewer");
    setWindowTitle("Quaystall DB Help");
    // An open help window must not keep the program running once the main window is closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(760, 640);

    BackBtn = new QPushButton("<< &Back");
    BackBtn->setObjectName("BackBtn");
    ForwardBtn = new QPushButton("&Forward >>");
    ForwardBtn->setObjectName("ForwardBtn");
    ContentsBtn = new QPushButton("&Contents");
    ContentsBtn->setObjectName("ContentsBtn");
    for (QPushButton* button : {BackBtn, ForwardBtn, ContentsBtn})
        button->setAutoDefault(false);
    BackBtn->setEnabled(false);
    ForwardBtn->setEnabled(false);

    Browser = new QTextBrowser;
    Browser->setObjectName("Browser");
    // Links are followed here, so that a missing page is told rather than shown blank.
    Browser->setOpenLinks(false);
    Browser->document()->setDocumentMargin(12);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BackBtn);
    buttons->addWidget(ForwardBtn);
    buttons->addWidget(ContentsBtn);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(Browser, 1);

    connect(BackBtn, &QPushButton::clicked, Browser, &QTextBrowser::backward);
    connect(ForwardBtn, &QPushButton::clicked, Browser, &QTextBrowser::forward);
    connect(ContentsBtn, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(Browser, &QTextBrowser::backwardAvailable, BackBtn, &QWidget::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ForwardBtn, &QWidget::setEnabled);
    connect(Browser, &QTextBrowser::anchorClicked, this, &HelpViewer::followLink);
}

QString HelpViewer::helpFolder() const
{
    const QString programDir = QFile::decodeName(QByteArray::fromStdString(app_.ProgramDir));
    return QDir(programDir).filePath(QStringLiteral("Help"));
}

QString HelpViewer::topicFileName(int topic)
{
    return QStringLiteral("topic-%1.html").arg(topic);
}

QString HelpViewer::contentsFileName()
{
    return QStringLiteral("index.html");
}

void HelpViewer::showContents()
{
    showPage(QUrl::fromLocalFile(QDir(helpFolder()).filePath(contentsFileName())));
}

void HelpViewer::showTopic(int topic)
{
    showPage(QUrl::fromLocalFile(QDir(helpFolder()).filePath(topicFileName(topic))));
}

void HelpViewer::showFile(const QString& fileName)
{
    showPage(QUrl::fromLocalFile(QDir(helpFolder()).filePath(fileName)));
}

void HelpViewer::followLink(const QUrl& link)
{
    showPage(Browser->source().resolved(link));
}

void HelpViewer::showPage(const QUrl& page)
{
    const QString folder = QDir::toNativeSeparators(helpFolder());
    if (!QFileInfo(helpFolder()).isDir())
        showMessage(QStringLiteral("The help pages are not installed in %1.").arg(folder));
    else if (!page.isLocalFile() || !QFileInfo(page.toLocalFile()).isFile())
        showMessage(QStringLiteral("The help page %1 is not installed in %2.").arg(page.fileName(), folder));
    else
        Browser->setSource(page);
    present();
}

void HelpViewer::showMessage(const QString& text)
{
    Browser->setHtml(QStringLiteral("<html><head><title>Quaystall DB Help</title></head><body>"
                                    "<h2>Help is not available</h2><p>%1</p></body></html>")
                         .arg(text.toHtmlEscaped()));
}

void HelpViewer::present()
{
    // Never larger than the screen it opens on, room left for the window's frame.
    if (const QScreen* screen = this->screen()) {
        constexpr int frameRoom = 60;
        const QRect room = screen->availableGeometry();
        resize(std::min(width(), room.width() - frameRoom), std::min(height(), room.height() - frameRoom));
    }
    show();
    // A dialog waiting for its answer blocks every window but its own; help
    // asked for from it rides on it, so that it can be read and scrolled.
    QWidget* modal = QApplication::activeModalWidget();
    windowHandle()->setTransientParent(modal ? modal->windowHandle() : nullptr);
    raise();
    activateWindow();
}

} // namespace qs::gui
