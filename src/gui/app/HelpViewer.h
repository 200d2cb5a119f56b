#pragma once

#include <QString>
#include <QWidget>

class QPushButton;
class QTextBrowser;
class QUrl;

namespace qs {
struct AppState;
} // namespace qs

namespace qs::gui {

// The program's help: HTML pages in the Help folder of the program folder,
// shown in one window that every request reuses. A numbered topic is the page
// topic-N.html, so a dialog's Help button and its page meet by number alone.
// Missing pages are told in the window itself: help never fails a command.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(const qs::AppState& app, QWidget* parent = nullptr);

    void showContents();
    void showTopic(int topic);
    // A page of the help folder by its file name, such as "import.html".
    void showFile(const QString& fileName);

    // The folder the pages are read from, as the program folder names it now.
    QString helpFolder() const;
    static QString topicFileName(int topic);
    static QString contentsFileName();

    QPushButton* BackBtn = nullptr;
    QPushButton* ForwardBtn = nullptr;
    QPushButton* ContentsBtn = nullptr;
    QTextBrowser* Browser = nullptr;

private:
    void showPage(const QUrl& page);
    void followLink(const QUrl& link);
    void showMessage(const QString& text);
    // Shows the window on top, usable beside a dialog that waits for its answer.
    void present();

    const qs::AppState& app_;
};

} // namespace qs::gui
