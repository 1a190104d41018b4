#ifndef READERACTIONS_H
#define READERACTIONS_H

#include <QKeySequence>
#include <QList>
#include <QObject>

#include <array>

class QAction;
class QWidget;

// Every key of the reader as an action on the window, so a key works whichever child has the
// focus; a text field keeps the keys it edits with, since it claims them before any shortcut.
// Keys Qt knows a platform's spelling of are the standard ones, with the reader's own beside.
// The commands that menus show carry their names, in the interface's language.
class ReaderActions : public QObject
{
    Q_OBJECT

public:
    enum Command {
        NextPage,
        PreviousPage,
        FirstPage,
        LastPage,
        NextChapter,
        PreviousChapter,
        Find,
        FindNext,
        FindPrevious,
        ZoomIn,
        ZoomOut,
        FullScreen,
        Leave,
        Bookshelf,
        OpenFile,
        ToggleBookmark,
        ShowBookmarks,
        ChooseEncoding,
        CommandCount
    };
    Q_ENUM(Command)

    explicit ReaderActions(QWidget *window);

    QAction *action(Command command) const;
    static QList<QKeySequence> shortcuts(Command command);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void retranslate();

    std::array<QAction *, CommandCount> m_actions{};
};

#endif
