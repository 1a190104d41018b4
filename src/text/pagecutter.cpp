#include "pagecutter.h"

PageCutter::PageCutter(qreal pageHeight)
    : m_pageHeight(pageHeight)
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
    qreal space = m_filled > 0.0 ? run.spaceBefore : 0.0;
    if ((run.isHeading || m_filled + space + run.height > m_pageHeight) && !m_page.empty()) {
        closePage();
        space = 0.0;
    }
    m_page.push_back(run);
    m_filled += space + run.height;
}

// Runs kept together start the next page when the rest of this one cannot hold them all.
void PageCutter::placeKept()
{
    qreal height = 0.0;
    for (const TextRun &run : m_kept)
        height += (&run == &m_kept.front() && m_filled == 0.0 ? 0.0 : run.spaceBefore) + run.height;
    if (m_filled > 0.0 && m_filled + height > m_pageHeight && !m_page.empty())
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
    if (!m_page.empty())
        closePage();
    if (m_pages.empty())
        m_pages.emplace_back();
}

std::vector<QString> PageCutter::takePages()
{
    return std::exchange(m_pages, {});
}

void PageCutter::closePage()
{
    qsizetype length = 0;
    for (const TextRun &run : m_page)
        length += run.text.size() + (run.endsParagraph ? 1 : 0);
    QString page;
    page.reserve(length);
    for (const TextRun &run : m_page) {
        page += run.text;
        if (run.endsParagraph)
            page += u'\n';
    }
    m_pages.push_back(std::move(page));
    m_page.clear();
    m_filled = 0.0;
}
