#include "pagedtext.h"

#include <QtGlobal>

#include <algorithm>

PagedText::PagedText(const QString &text, const std::vector<qsizetype> &pageLengths)
    : m_text(text)
{
    m_starts.reserve(pageLengths.size());
    for (qsizetype length : pageLengths)
        appendPage(length);
}

PagedText::PagedText(const std::vector<QString> &pages)
{
    qsizetype total = 0;
    for (const QString &page : pages)
        total += page.size();
    m_text.reserve(total);
    m_starts.reserve(pages.size());
    for (const QString &page : pages) {
        m_text += page;
        appendPage(page.size());
    }
}

void PagedText::appendPage(qsizetype length)
{
    Q_ASSERT(length >= 0 && m_end + length <= m_text.size());
    m_starts.push_back(m_end);
    m_end += length;
}

// Only the page starts beyond ours are copied; the text is the same one, shared.
void PagedText::extendTo(const PagedText &longer)
{
    if (longer.m_text.constData() != m_text.constData())
        m_text = longer.m_text;
    for (int page = size(); page < longer.size(); ++page)
        appendPage(longer.page(page).size());
}

QStringView PagedText::page(int page) const
{
    if (page < 0 || page >= size())
        return {};
    return QStringView(m_text).sliced(m_starts[size_t(page)], startOf(page + 1) - m_starts[size_t(page)]);
}

std::vector<QString> PagedText::pageTexts() const
{
    std::vector<QString> pages;
    pages.reserve(m_starts.size());
    for (int i = 0; i < size(); ++i)
        pages.push_back(at(i));
    return pages;
}

qsizetype PagedText::startOf(int page) const
{
    if (page >= size())
        return m_end;
    return page <= 0 ? 0 : m_starts[size_t(page)];
}

int PagedText::pageAt(qsizetype offset) const
{
    if (m_starts.empty())
        return 0;
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), offset);
    return int(qMax<std::ptrdiff_t>(after - m_starts.begin() - 1, 0));
}

bool PagedText::operator==(const PagedText &other) const
{
    return m_starts == other.m_starts && text() == other.text();
}
