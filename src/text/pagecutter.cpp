#include "pagecutter.h"

#include "pagerenderer.h"

PageCutter::PageCutter(qreal pageHeight, Keep keep)
    : m_pageHeight(pageHeight)
    , m_keep(keep)
{
}

void PageCutter::add(const TextRun &run)
{
    if (m_keeping == 0 && run.keepWithNext == 0) {
        place(run);
        return;
    }
    if (!m_kept.empty() && run.height > 0.0)
        --m_keeping;
    m_kept.push_back(run);
    m_keeping = qMax(m_keeping, run.keepWithNext);
    if (m_keeping == 0)
        placeKept();
}

void PageCutter::place(const TextRun &run)
{
    if (run.isHeading)
        moveBlankLinesToLastPage();
    qreal space = m_filled > 0.0 ? run.spaceBefore : 0.0;
    if ((run.isHeading || m_filled + space + run.height > m_pageHeight) && m_pageHasText) {
        closePage();
        space = 0.0;
    }
    m_page.push_back(run);
    if (!m_pageHasText && PageRenderer::isBlank(run.text))
        return;
    m_filled += space + run.height;
    m_pageHasText = true;
}

// Runs kept together start the next page when the rest of this one cannot hold them all.
void PageCutter::placeKept()
{
    qreal height = 0.0;
    for (const TextRun &run : m_kept)
        height += (&run == &m_kept.front() && m_filled == 0.0 ? 0.0 : run.spaceBefore) + run.height;
    if (m_filled > 0.0 && m_filled + height > m_pageHeight && m_pageHasText)
        closePage();
    for (const TextRun &run : m_kept)
        place(run);
    m_kept.clear();
    m_keeping = 0;
}

void PageCutter::finish()
{
    if (!m_kept.empty())
        placeKept();
    moveBlankLinesToLastPage();
    if (!m_page.empty())
        closePage();
    if (m_lengths.empty()) {
        m_lengths.push_back(0);
        if (m_keep == Keep::Texts)
            m_pages.emplace_back();
    }
}

std::vector<QString> PageCutter::takePages()
{
    return std::exchange(m_pages, {});
}

// Blank lines that no text follows on their page end the page before instead: a heading
// begins its page, and a book's last page holds text.
void PageCutter::moveBlankLinesToLastPage()
{
    if (m_page.empty() || m_pageHasText || m_lengths.empty())
        return;
    closePage();
    const qsizetype blankLength = m_lengths.back();
    m_lengths.pop_back();
    m_lengths.back() += blankLength;
    if (m_keep == Keep::Texts) {
        QString blankLines = std::move(m_pages.back());
        m_pages.pop_back();
        m_pages.back() += blankLines;
    }
}

QString PageCutter::textOfPage(qsizetype length) const
{
    QString page;
    page.reserve(length);
    for (const TextRun &run : m_page) {
        page += run.text;
        if (run.endsParagraph)
            page += u'\n';
    }
    return page;
}

void PageCutter::closePage()
{
    qsizetype length = 0;
    for (const TextRun &run : m_page)
        length += run.text.size() + (run.endsParagraph ? 1 : 0);
    m_lengths.push_back(length);
    if (m_keep == Keep::Texts)
        m_pages.push_back(textOfPage(length));
    m_page.clear();
    m_filled = 0.0;
    m_pageHasText = false;
}
