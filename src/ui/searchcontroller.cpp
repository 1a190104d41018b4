#include "searchcontroller.h"

#include "conversioncontroller.h"
#include "pagepresenter.h"
#include "pagewidget.h"
#include "paginator.h"
#include "readingsession.h"
#include "searchresultslist.h"
#include "viewstack.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QToolTip>

SearchController::SearchController(ReadingSession *session, PageWidget *pageWidget, ViewStack *views,
                                   ConversionController *conversion, PagePresenter *presenter, Bar bar,
                                   QWidget *window)
    : QObject(window)
    , m_session(session)
    , m_pageWidget(pageWidget)
    , m_views(views)
    , m_conversion(conversion)
    , m_presenter(presenter)
    , m_bar(bar)
    , m_window(window)
{
    m_bar.frame->setVisible(false);
    addBackwardKeys();
    addResultsList();
    connect(m_bar.findButton, &QAbstractButton::clicked, this, &SearchController::findFromBar);
    connect(m_bar.edit, &QLineEdit::returnPressed, this, &SearchController::findFromBar);
    connect(m_bar.toggleButton, &QAbstractButton::clicked, this, &SearchController::toggleBar);
    connect(m_session, &ReadingSession::searchWrapped, this, &SearchController::tellWrapped);
    connect(m_session, &ReadingSession::matchChanged, this, &SearchController::showMatch);
    connect(m_session, &ReadingSession::pagesReplaced, this, &SearchController::showMatch);
    connect(m_session, &ReadingSession::bookShown, this, &SearchController::showMatch);
    connect(m_session, &ReadingSession::textNotFound, this, &SearchController::tellNotFound);
}

void SearchController::toggleBar()
{
    m_barVisible = !m_barVisible;
    m_bar.frame->setVisible(m_barVisible);
    if (m_barVisible) {
        m_bar.toggleButton->setIcon(QIcon(QStringLiteral(":/icons/search_hide.svg")));
        m_bar.edit->setFocus(Qt::OtherFocusReason);
    } else {
        m_bar.toggleButton->setIcon(QIcon(QStringLiteral(":/icons/search_show.svg")));
    }
}

void SearchController::showField()
{
    if (m_barVisible)
        m_bar.edit->setFocus(Qt::OtherFocusReason);
    else
        toggleBar();
}

bool SearchController::closeBar()
{
    if (!m_barVisible)
        return false;
    toggleBar();
    return true;
}

void SearchController::findFromBar()
{
    findAgain(false, false);
}

// Shift+Enter in the search bar finds the match before.
void SearchController::addBackwardKeys()
{
    for (const int key : { Qt::Key_Return, Qt::Key_Enter }) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::SHIFT | key), m_bar.edit);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] { findAgain(true, false); });
    }
}

// A search from the keys tells of a wrap without stopping the reader with a dialog.
void SearchController::findAgain(bool backward, bool quietly)
{
    const QString text = wantedText();
    m_quiet = quietly;
    if (backward)
        m_session->findPrevious(text);
    else
        m_session->find(text);
}

void SearchController::tellWrapped()
{
    if (m_quiet) {
        QToolTip::showText(m_pageWidget->mapToGlobal(m_pageWidget->rect().center()),
                           tr("已从另一端继续搜索"), m_pageWidget);
        return;
    }
    QMessageBox::information(m_window, tr("搜索"), tr("已回到文档开头继续搜索"), QMessageBox::Ok,
                             QMessageBox::NoButton);
}

void SearchController::tellNotFound(const QString &text)
{
    QMessageBox::information(m_window, tr("搜索"), tr("未找到文本: %1").arg(text), QMessageBox::Ok,
                             QMessageBox::NoButton);
}

// The results join the stack, and the button that lists them the search bar.
void SearchController::addResultsList()
{
    m_results = new SearchResultsList(m_window);
    m_views->addView(ViewStack::Results, m_results);
    m_allResultsButton = new QPushButton(m_window);
    m_allResultsButton->setObjectName(QStringLiteral("allResultsButton"));
    m_bar.buttons->addWidget(m_allResultsButton);
    retranslate();
    connect(m_allResultsButton, &QAbstractButton::clicked, this, &SearchController::showAllResults);
    connect(m_results, &SearchResultsList::resultChosen, this, &SearchController::openResult);
}

void SearchController::showAllResults()
{
    const QString text = wantedText();
    if (text.isEmpty() || m_session->state() != ReadingSession::State::Reading)
        return;
    m_results->setTextConversion(m_conversion->shownScript());
    // Only the pages from a reopened place are cut: the search runs once those from the
    // start replace them, and their offsets are the book's.
    if (!m_session->isPageNumberKnown()) {
        connect(m_session, &ReadingSession::pagesReplaced, this, &SearchController::showAllResults,
                Qt::ConnectionType(Qt::SingleShotConnection | Qt::UniqueConnection));
        return;
    }
    m_results->search(m_session->pages(), m_session->chapters(), text, m_session->isComplete());
    m_views->show(ViewStack::Results);
}

void SearchController::retranslate()
{
    m_allResultsButton->setText(tr("全部结果"));
}

void SearchController::openResult(qsizetype offset, qsizetype length)
{
    m_session->goToMatch(offset, length);
    m_presenter->showReadingPage();
    m_window->setFocus(Qt::OtherFocusReason);
}

void SearchController::showMatch()
{
    // While a page stands in for the reader's place, its offsets are not the book's.
    const qsizetype start = m_session->matchStart();
    if (start < 0 || m_session->state() != ReadingSession::State::Reading) {
        m_pageWidget->setHighlight(-1, 0, 0);
        return;
    }
    const int page = Paginator::pageAtOffset(m_session->pages(), start);
    m_pageWidget->setHighlight(page, start - Paginator::offsetOfPage(m_session->pages(), page),
                               m_session->matchLength());
}

QString SearchController::wantedText() const
{
    return m_conversion->toBookScript(m_bar.edit->text().trimmed());
}
