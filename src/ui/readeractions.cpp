#include "readeractions.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace {

// The platform's keys for a standard command first, then the reader's own that it lacks.
QList<QKeySequence> standardAnd(QKeySequence::StandardKey key, const QList<QKeySequence> &own)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    for (const QKeySequence &sequence : own) {
        if (!keys.contains(sequence))
            keys.append(sequence);
    }
    return keys;
}

}

ReaderActions::ReaderActions(QWidget *window)
    : QObject(window)
{
    for (int command = 0; command < CommandCount; ++command) {
        auto *action = new QAction(this);
        action->setShortcuts(shortcuts(Command(command)));
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
        m_actions[command] = action;
    }
    // The mark's check shows whether the page on show holds one.
    m_actions[ToggleBookmark]->setCheckable(true);
    retranslate();
    window->installEventFilter(this);
}

bool ReaderActions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}

// The commands show in the main menu, whose texts are the main window's.
void ReaderActions::retranslate()
{
    m_actions[ToggleBookmark]->setText(QCoreApplication::translate("MainWindow", "书签"));
    m_actions[ToggleBookmark]->setToolTip(QCoreApplication::translate("MainWindow", "为本页添加或删除书签"));
    m_actions[ShowBookmarks]->setText(QCoreApplication::translate("MainWindow", "书签列表"));
    m_actions[ShowBookmarks]->setToolTip(QCoreApplication::translate("MainWindow", "查看本书的书签"));
    m_actions[ChooseEncoding]->setText(QCoreApplication::translate("MainWindow", "编码…"));
    m_actions[ChooseEncoding]->setToolTip(QCoreApplication::translate("MainWindow", "用另一种编码重新打开本书"));
}

QAction *ReaderActions::action(Command command) const
{
    return m_actions.at(command);
}

QList<QKeySequence> ReaderActions::shortcuts(Command command)
{
    switch (command) {
    case NextPage:
        return { Qt::Key_Right, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Space };
    case PreviousPage:
        return { Qt::Key_Left, Qt::Key_Up, Qt::Key_PageUp, QKeySequence(Qt::SHIFT | Qt::Key_Space) };
    case FirstPage:
        return { Qt::Key_Home };
    case LastPage:
        return { Qt::Key_End };
    case NextChapter:
        return { Qt::Key_BracketRight };
    case PreviousChapter:
        return { Qt::Key_BracketLeft };
    case Find:
        return standardAnd(QKeySequence::Find, { Qt::Key_F });
    case FindNext:
        return standardAnd(QKeySequence::FindNext, { Qt::Key_F3 });
    case FindPrevious:
        return standardAnd(QKeySequence::FindPrevious, { QKeySequence(Qt::SHIFT | Qt::Key_F3) });
    case ZoomIn:
        return standardAnd(QKeySequence::ZoomIn, { QKeySequence(Qt::CTRL | Qt::Key_Equal) });
    case ZoomOut:
        return standardAnd(QKeySequence::ZoomOut, {});
    case FullScreen:
        return standardAnd(QKeySequence::FullScreen, { Qt::Key_F11 });
    case Leave:
        return standardAnd(QKeySequence::Cancel, {});
    case Bookshelf:
        return { Qt::Key_B };
    case OpenFile:
        return standardAnd(QKeySequence::Open, {});
    case ToggleBookmark:
        return { QKeySequence(Qt::CTRL | Qt::Key_D) };
    case ShowBookmarks:
        return { QKeySequence(Qt::CTRL | Qt::Key_B) };
    case ChooseEncoding:
        return { QKeySequence(Qt::CTRL | Qt::Key_E) };
    case CommandCount:
        break;
    }
    return {};
}
