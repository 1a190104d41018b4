#ifndef CLEANUPRULESCONTROLLER_H
#define CLEANUPRULESCONTROLLER_H

#include "cleanuprulesdialog.h"

#include <QObject>

class Library;
class PageWidget;
class QAction;
class QWidget;
class ReadingSession;

// The clean-up rules of the book on show: the main menu's item opens the dialog on it, the
// library keeps the rules, the loader cuts the book with them and the page draws it with
// them. Rules changed in the dialog re-cut the book in the background, keeping the place.
class CleanupRulesController : public QObject
{
    Q_OBJECT

public:
    CleanupRulesController(Library *library, ReadingSession *session, PageWidget *pageWidget,
                           QWidget *window, QObject *parent = nullptr);

    // The main menu's item; the caller places it.
    QAction *action() const { return m_action; }
    // Where the dialog asks for the files it imports and exports; tests answer it themselves.
    void setFileChooser(CleanupRulesDialog::FileChooser chooser) { m_chooseFile = std::move(chooser); }

    void editRules();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void retranslate();
    void showRulesOf(const QString &book);

    Library *m_library;
    ReadingSession *m_session;
    PageWidget *m_pageWidget;
    QWidget *m_window;
    QAction *m_action;
    CleanupRulesDialog::FileChooser m_chooseFile;
};

#endif
