#include "cleanuprulescontroller.h"

#include "cleanuprules.h"
#include "library.h"
#include "pagewidget.h"
#include "readingsession.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

CleanupRulesController::CleanupRulesController(Library *library, ReadingSession *session,
                                               PageWidget *pageWidget, QWidget *window, QObject *parent)
    : QObject(parent)
    , m_library(library)
    , m_session(session)
    , m_pageWidget(pageWidget)
    , m_window(window)
    , m_action(new QAction(this))
{
    m_action->setEnabled(false);
    retranslate();
    window->installEventFilter(this);
    connect(m_action, &QAction::triggered, this, &CleanupRulesController::editRules);
    connect(session, &ReadingSession::bookShown, this, [this](const QString &book) {
        showRulesOf(book);
        m_action->setEnabled(true);
    });
    connect(session, &ReadingSession::closed, m_action, [this] { m_action->setEnabled(false); });
}

bool CleanupRulesController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}

// The main menu's texts are the main window's.
void CleanupRulesController::retranslate()
{
    m_action->setText(QCoreApplication::translate("MainWindow", "清理规则…"));
}

// The page draws with the rules the loader looked up for the book when it cut it.
void CleanupRulesController::showRulesOf(const QString &book)
{
    m_pageWidget->setCleanupRules(CleanupRules::enabled(m_library->cleanupRules(book)));
}

// The rules are counted on the pages at hand, which hold the whole book once it is cut.
void CleanupRulesController::editRules()
{
    const QString book = m_session->book();
    if (book.isEmpty())
        return;
    const std::vector<BookCleanupRule> current = m_library->cleanupRules(book);
    CleanupRulesDialog dialog(current, m_session->pages().text().toString(), m_pageWidget->typesetStyle().book,
                              m_window);
    if (m_chooseFile)
        dialog.setFileChooser(m_chooseFile);
    if (dialog.exec() != QDialog::Accepted || m_session->book() != book || dialog.rules() == current)
        return;
    m_library->setCleanupRules(book, dialog.rules());
    showRulesOf(book);
    m_session->cutAnew();
}
