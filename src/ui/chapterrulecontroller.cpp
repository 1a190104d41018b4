#include "chapterrulecontroller.h"

#include "chapterruledialog.h"
#include "library.h"
#include "paginator.h"
#include "readingsession.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

ChapterRuleController::ChapterRuleController(Library *library, ReadingSession *session,
                                             QWidget *window, QObject *parent)
    : QObject(parent)
    , m_library(library)
    , m_session(session)
    , m_window(window)
    , m_action(new QAction(this))
{
    m_action->setEnabled(false);
    retranslate();
    window->installEventFilter(this);
    connect(m_action, &QAction::triggered, this, &ChapterRuleController::chooseRule);
    connect(session, &ReadingSession::bookShown, m_action, [this] { m_action->setEnabled(true); });
    connect(session, &ReadingSession::closed, m_action, [this] { m_action->setEnabled(false); });
}

bool ChapterRuleController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::LanguageChange)
        retranslate();
    return QObject::eventFilter(watched, event);
}

// The main menu's texts are the main window's.
void ChapterRuleController::retranslate()
{
    m_action->setText(QCoreApplication::translate("MainWindow", "章节规则…"));
}

// The rule is tried on the pages at hand, which hold the whole book once it is cut.
void ChapterRuleController::chooseRule()
{
    const QString book = m_session->book();
    if (book.isEmpty())
        return;
    const ChapterRule current = ChapterRule::fromKey(m_library->recordFor(book).chapterRule);
    const QString text = m_session->pages().text().toString();
    ChapterRuleDialog dialog(current, text, m_window);
    if (dialog.exec() != QDialog::Accepted || m_session->book() != book)
        return;
    const ChapterRule chosen = dialog.chosenRule();
    if (chosen == current)
        return;
    m_library->setChapterRule(book, chosen.key());
    m_session->cutAnew();
}
