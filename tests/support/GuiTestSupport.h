#pragma once

#include "ModalWait.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>

// Readable QStrings in GoogleTest's failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace qs::gui::test {

// A caption as it shows: without the "&" that marks its Alt letter ("&&" shows one "&").
inline QString shownText(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x1f"));
    text.remove(QLatin1Char('&'));
    return text.replace(QStringLiteral("\x1f"), QStringLiteral("&"));
}

// The texts of a menu's items, separators left out.
inline QStringList itemTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text();
    return texts;
}

inline QStringList menuTitles(const QList<QMenu*>& menus)
{
    QStringList titles;
    for (const QMenu* menu : menus)
        titles << menu->title();
    return titles;
}

// A program directory of its own, with the installation's tool-bar bitmaps
// when asked for and when the installation has them.
inline bool copyButtons(const QString& programDir)
{
    const QDir source(QStringLiteral(QUAYSTALL_SHARE_PROGRAM "/Buttons"));
    if (!source.exists())
        return false;
    QDir(programDir).mkpath(QStringLiteral("Buttons"));
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), QDir(programDir).filePath(QStringLiteral("Buttons/") + name));
    return true;
}

} // namespace qs::gui::test
