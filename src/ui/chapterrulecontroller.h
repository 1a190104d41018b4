#ifndef CHAPTERRULECONTROLLER_H
#define CHAPTERRULECONTROLLER_H

#include <QObject>

class Library;
class QAction;
class QWidget;
class ReadingSession;

// A book's own chapter rule: the main menu's item opens the dialog on the book on show, the
// library keeps the rule chosen, and the loader finds the book's headings by it whenever
// the book is opened or cut anew. A new rule re-cuts the book in the background, keeping
// the reader's place.
class ChapterRuleController : public QObject
{
    Q_OBJECT

public:
    ChapterRuleController(Library *library, ReadingSession *session, QWidget *window,
                          QObject *parent = nullptr);

    // The main menu's item; the caller places it.
    QAction *action() const { return m_action; }

    void chooseRule();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void retranslate();

    Library *m_library;
    ReadingSession *m_session;
    QWidget *m_window;
    QAction *m_action;
};

#endif
