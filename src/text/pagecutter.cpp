#include "pagecutter.h"

PageCutter::PageCutter(qreal pageHeight)
    : m_pageHeight(pageHeight)
{
}

void PageCutter::add(const TextRun &run)
{
    if ((run.isHeading || m_filled + run.height > m_pageHeight) && !m_page.empty())
        closePage();
    m_page.push_back(run);
    m_filled += run.height;
}

void PageCutter::finish()
{
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
