#include "pagepresenter.h"

#include "conversioncontroller.h"
#include "notice.h"
#include "pagewidget.h"
#include "readingsession.h"
#include "viewstack.h"

#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

const QString ChapterSeparator = QStringLiteral(" · ");

QString bookTitle(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

}

PagePresenter::PagePresenter(ReadingSession *session, PageWidget *pageWidget, ViewStack *views,
                             ConversionController *conversion, Header header, QLabel *pageLabel,
                             QWidget *dialogParent)
    : QObject(dialogParent)
    , m_session(session)
    , m_pageWidget(pageWidget)
    , m_views(views)
    , m_conversion(conversion)
    , m_header(header)
    , m_pageLabel(pageLabel)
    , m_dialogParent(dialogParent)
    , m_notice(new Notice(pageWidget))
{
    connectSession();
    connect(m_conversion, &ConversionController::conversionChanged, this, &PagePresenter::showHeadings);
    updatePageLabel();
}

void PagePresenter::connectSession()
{
    connect(m_session, &ReadingSession::bookShown, this, &PagePresenter::showBook);
    connect(m_session, &ReadingSession::pagesReplaced, this, &PagePresenter::showPagesInPlace);
    connect(m_session, &ReadingSession::pagesExtended, this,
            [this] { m_pageWidget->extendPages(m_session->pages()); });
    connect(m_session, &ReadingSession::pageTurned, m_pageWidget, &PageWidget::flipToPage);
    connect(m_session, &ReadingSession::positionChanged, this, &PagePresenter::updatePageLabel);
    connect(m_session, &ReadingSession::positionChanged, this, &PagePresenter::showCurrentChapter);
    connect(m_session, &ReadingSession::chaptersChanged, this, &PagePresenter::showHeadings);
    connect(m_session, &ReadingSession::openFailed, this, &PagePresenter::reportOpenFailure);
    connect(m_session, &ReadingSession::closed, this, [this] { m_pageWidget->setPages({}); });
}

// A book opens with a turn of the reader's page onto itself, as a book at its start turns its
// first page: the first frame already shows the reader's page, never the first of those at hand.
void PagePresenter::showBook()
{
    m_pageWidget->setHeadings(m_session->pageHeadings());
    m_pageWidget->setJoinedLineEnds(m_session->pageJoinedLineEnds());
    m_pageWidget->setPages(m_session->pages());
    m_pageWidget->showPage(m_session->page());
    m_pageWidget->flipToPage(m_session->page(), true);
}

void PagePresenter::showPagesInPlace()
{
    m_pageWidget->setHeadings(m_session->pageHeadings());
    m_pageWidget->setJoinedLineEnds(m_session->pageJoinedLineEnds());
    m_pageWidget->setPages(m_session->pages());
    m_pageWidget->showPage(m_session->page());
}

void PagePresenter::showHeadings()
{
    m_pageWidget->setHeadings(m_session->pageHeadings());
    showCurrentChapter();
}

void PagePresenter::showReadingPage()
{
    m_views->show(ViewStack::Reading);
    if (m_session->openingBook().isEmpty() && m_session->book().isEmpty())
        showNothingOpen();
    else
        showBookName(m_session->openingBook().isEmpty() ? m_session->book() : m_session->openingBook());
    showCurrentChapter();
}

// While a book is still being cut, its page count is marked as a lower bound; while only the
// pages around the reader's place are cut, the number and the count are marked as estimates.
void PagePresenter::updatePageLabel()
{
    QString label;
    if (!m_session->isPageNumberKnown())
        label = tr("约第 %1 页/共约 %2 页");
    else
        label = m_session->isComplete() ? tr("第 %1 页/共 %2 页") : tr("第 %1 页/共 %2+ 页");
    m_pageLabel->setText(label.arg(shownPageNumbers()).arg(m_session->pageCount()));
}

// A spread shows the reader's page and the one after it, when there is one.
QString PagePresenter::shownPageNumbers() const
{
    const int number = m_session->pageNumber();
    if (!m_pageWidget->showsSpread() || number >= m_session->pageCount())
        return QString::number(number);
    return QStringLiteral("%1–%2").arg(number).arg(number + 1);
}

void PagePresenter::showLoading()
{
    m_pageLabel->setText(tr("加载中..."));
}

// The numbers offered are those the label shows; the pages may be cut anew while the dialog is
// open, and the number chosen still means the page it named.
void PagePresenter::jumpToPage()
{
    const ReadingSession::PageNumbers numbers = m_session->pageNumbers();
    if (numbers.count == 0)
        return;
    const QString prompt = numbers.estimated ? tr("请输入页码 (1-约%1):") : tr("请输入页码 (1-%1):");
    bool accepted = false;
    const int chosen = QInputDialog::getInt(m_dialogParent, tr("跳转到页"), prompt.arg(numbers.count),
                                            numbers.current, 1, numbers.count, 1, &accepted);
    if (accepted)
        m_session->goTo(numbers, chosen - 1);
}

void PagePresenter::showBookName(const QString &path)
{
    writeHeader(bookTitle(path));
}

// The header names the book and, where the reader is in a chapter, the chapter, elided
// into the room the header leaves it.
void PagePresenter::showCurrentChapter()
{
    if (!m_session->openingBook().isEmpty() || m_session->book().isEmpty()
        || m_views->current() == ViewStack::Shelf)
        return;
    QString title = bookTitle(m_session->book());
    const int chapter = m_session->currentChapter();
    if (chapter >= 0)
        title += ChapterSeparator + m_conversion->shown(m_session->chapters()[chapter].title);
    const int room = m_header.label->width() + m_header.room->geometry().width();
    if (room > 0)
        title = m_header.label->fontMetrics().elidedText(title, Qt::ElideRight, room);
    writeHeader(title);
}

void PagePresenter::showShelfSize(int count)
{
    m_shelfSize = count;
    if (count == 0)
        writeHeader(tr("Quorvane - 书架空空如也"));
    else
        writeHeader(tr("Quorvane - 共有 %1 本书").arg(count));
}

void PagePresenter::showNothingOpen()
{
    writeHeader(tr("Quorvane - 未打开文件"));
}

// The form's texts put the header and the page label back to their blank state; the book
// and the page on show are named again in the new language.
void PagePresenter::retranslate()
{
    if (!m_session->pages().empty())
        updatePageLabel();
    if (m_views->current() == ViewStack::Shelf)
        showShelfSize(m_shelfSize);
    else if (!m_session->book().isEmpty() || !m_session->openingBook().isEmpty())
        showReadingPage();
}

// The book still on show stays on show, and the header returns to it.
void PagePresenter::reportOpenFailure(const QString &path, const QString &reason)
{
    if (m_session->book().isEmpty())
        showShelfSize(m_shelfSize);
    else
        showBookName(m_session->book());
    QMessageBox::warning(m_dialogParent, tr("无法打开书籍"),
                         tr("无法打开“%1”：\n%2").arg(QDir::toNativeSeparators(path), reason),
                         QMessageBox::Ok, QMessageBox::NoButton);
}

void PagePresenter::reportUndecodableBytes(const QString &path, qsizetype count)
{
    if (path == m_session->openingBook())
        m_notice->show(tr("“%1”中有 %2 个字节无法识别，已显示为 �。").arg(bookTitle(path)).arg(count));
}

void PagePresenter::writeHeader(const QString &text)
{
    m_header.label->setText(text);
}
