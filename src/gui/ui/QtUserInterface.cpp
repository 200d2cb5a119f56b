#include "gui/ui/QtUserInterface.h"

#include "gui/text/Encoding.h"
#include "gui/ui/TProgressForm.h"
#include "core/text/LineBreaks.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <algorithm>

namespace qs::gui {
namespace {

QMessageBox::Icon iconFor(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    case MessageKind::About:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsFor(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
    case Buttons::NoYes:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// What closing the box without choosing means.
Answer refusalFor(Buttons buttons)
{
    return buttons == Buttons::YesNo || buttons == Buttons::NoYes ? Answer::No : Answer::Cancel;
}

} // namespace

QtUserInterface::QtUserInterface(QWidget* parent) : parent_(parent) {}

QtUserInterface::~QtUserInterface() = default;

QString QtUserInterface::displayText(std::string_view text)
{
    return fromBytes(withLineBreaks(text, "\n"));
}

QString QtUserInterface::title(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Information:
        return QStringLiteral("Information");
    case MessageKind::Warning:
        return QStringLiteral("Warning");
    case MessageKind::Error:
        return QStringLiteral("Error");
    case MessageKind::Confirmation:
        return QStringLiteral("Confirm");
    case MessageKind::About:
        return QStringLiteral("About Quaystall DB");
    }
    return QString();
}

QString QtUserInterface::wrappableText(std::string_view text)
{
    QString shown = displayText(text);
    QString result;
    result.reserve(shown.size());
    qsizetype run = 0;
    for (const QChar c : shown) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > longestUnbrokenRun) {
            result.append(QChar(0x200B)); // a zero-width space: a place the line may break
            run = 1;
        }
        result.append(c);
    }
    return result;
}

void QtUserInterface::message(std::string_view text, MessageKind kind)
{
    QMessageBox box(iconFor(kind), title(kind), wrappableText(text), QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    if (kind == MessageKind::About)
        box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
    box.exec();
}

void QtUserInterface::messageWithFolder(std::string_view text, const std::string& folder)
{
    QMessageBox box(QMessageBox::Information, title(MessageKind::Information), wrappableText(text), QMessageBox::Ok,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    QPushButton* open = box.addButton(QStringLiteral("&Open Folder"), QMessageBox::ActionRole);
    open->setObjectName("OpenFolderBtn");
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (box.clickedButton() == open)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(folder))));
}

Answer QtUserInterface::ask(std::string_view text, MessageKind kind, Buttons buttons)
{
    QMessageBox box(iconFor(kind), title(kind), wrappableText(text), buttonsFor(buttons), parent_);
    box.setTextFormat(Qt::PlainText);
    if (buttons == Buttons::NoYes)
        box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return refusalFor(buttons);
    }
}

std::optional<std::string> QtUserInterface::inputText(std::string_view caption, std::string_view prompt,
                                                      std::string_view initial)
{
    QInputDialog box(parent_);
    box.setWindowTitle(displayText(caption));
    box.setLabelText(displayText(prompt));
    box.setTextValue(fromBytes(initial));
    // Wide enough for the caption in the title bar beside its buttons. The
    // dialog takes its size from its layout, so the edit is made wide.
    const int captionWidth = box.fontMetrics().horizontalAdvance(box.windowTitle());
    if (auto* edit = box.findChild<QLineEdit*>())
        edit->setMinimumWidth(std::max(320, captionWidth + 140));
    // A text the catalogue cannot hold is told, and the box shows again with it.
    for (;;) {
        if (box.exec() != QDialog::Accepted)
            return std::nullopt;
        if (std::optional<std::string> typed = typedBytes(box.textValue(), *this))
            return typed;
    }
}

QString QtUserInterface::qtFilter(std::string_view filter)
{
    const QStringList parts = fromBytes(filter).split(QChar('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        // The patterns in the description's brackets are read by Qt; give it
        // the real ones, separated as it expects.
        const qsizetype bracket = description.lastIndexOf(QChar('('));
        if (bracket > 0 && description.endsWith(QChar(')')))
            description = description.left(bracket).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(QChar(';'), QChar(' '));
        filters << description + QStringLiteral(" (") + patterns.simplified() + QChar(')');
    }
    if (parts.size() % 2 == 1 && !parts.back().isEmpty())
        filters << parts.back();
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> QtUserInterface::openFile(const FileDialogRequest& request)
{
    QString start = QFile::decodeName(QByteArray::fromStdString(request.directory));
    if (!request.initialName.empty())
        start = start.isEmpty() ? fromBytes(request.initialName)
                                : start + QChar('/') + fromBytes(request.initialName);
    const QString caption = request.caption.empty() ? QStringLiteral("Open") : fromBytes(request.caption);
    const QString chosen = QFileDialog::getOpenFileName(parent_, caption, start, qtFilter(request.filter));
    if (chosen.isEmpty())
        return std::nullopt;
    return QFile::encodeName(chosen).toStdString();
}

Progress& QtUserInterface::progress()
{
    if (!progress_) {
        if (parent_) {
            progress_ = new TProgressForm(parent_);
        } else {
            ownedProgress_ = std::make_unique<TProgressForm>();
            progress_ = ownedProgress_.get();
        }
    }
    return *progress_;
}

} // namespace qs::gui
