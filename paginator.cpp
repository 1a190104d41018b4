#include "paginator.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <QtConcurrent>
#include <QtMath>

#include <numeric>

namespace {

// Paragraphs are measured in runs of this many, so the pool's threads share the work in
// pieces large enough to outweigh their hand-over.
constexpr size_t ParagraphsPerRun = 1024;

}

Paginator::Paginator(const PageFormat &format)
    : m_format(format)
    , m_leading(QFontMetricsF(format.font).leading())
{
}

std::vector<QString> Paginator::paginate(QStringView text) const
{
    return paginate(paragraphsOf(text));
}

std::vector<QString> Paginator::paginate(const std::vector<QStringView> &paragraphs,
                                         const std::function<bool()> &isCancelled) const
{
    return cutPages(paragraphs, paragraphHeights(paragraphs, isCancelled));
}

std::vector<qreal> Paginator::paragraphHeights(const std::vector<QStringView> &paragraphs,
                                               const std::function<bool()> &isCancelled) const
{
    std::vector<qreal> heights(paragraphs.size(), 0.0);
    std::vector<size_t> runStarts;
    for (size_t start = 0; start < paragraphs.size(); start += ParagraphsPerRun)
        runStarts.push_back(start);
    QtConcurrent::blockingMap(runStarts, [&](size_t start) {
        if (isCancelled && isCancelled())
            return;
        const size_t end = qMin(start + ParagraphsPerRun, paragraphs.size());
        for (size_t i = start; i < end; ++i)
            heights[i] = paragraphHeight(paragraphs[i]);
    });
    return heights;
}

std::vector<QString> Paginator::cutPages(const std::vector<QStringView> &paragraphs,
                                         const std::vector<qreal> &heights) const
{
    const qreal limit = m_format.textArea.height();
    std::vector<QString> pages;
    size_t pageStart = 0;
    qreal pageHeight = 0.0;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        if (pageHeight + heights[i] > limit && i > pageStart) {
            pages.push_back(joinParagraphs(paragraphs, pageStart, i));
            pageStart = i;
            pageHeight = 0.0;
        }
        pageHeight += heights[i];
    }
    if (pageStart < paragraphs.size())
        pages.push_back(joinParagraphs(paragraphs, pageStart, paragraphs.size()));
    if (pages.empty())
        pages.emplace_back();
    return pages;
}

// QPainter::drawText places every line of a word-wrapped text on a whole pixel below the
// previous one, so each line takes its height rounded up. Summing the rounded heights can
// overestimate the last line of a page by under a pixel, never underestimate it.
qreal Paginator::paragraphHeight(QStringView paragraph) const
{
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    QTextLayout layout(paragraph.toString(), m_format.font);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);

    const qreal lineWidth = m_format.textArea.width();
    qreal height = 0.0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lineWidth);
        height += qCeil(line.height() + m_leading);
    }
    layout.endLayout();
    return height;
}

std::vector<QStringView> Paginator::paragraphsOf(QStringView text)
{
    std::vector<QStringView> paragraphs;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\n' && c != u'\r')
            continue;
        paragraphs.push_back(text.sliced(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    paragraphs.push_back(text.sliced(start));
    return paragraphs;
}

std::vector<QStringView> Paginator::paragraphsOf(const std::vector<QString> &pages)
{
    std::vector<QStringView> paragraphs;
    for (const QString &page : pages) {
        QStringView rest(page);
        while (!rest.isEmpty()) {
            const qsizetype end = rest.indexOf(u'\n');
            if (end < 0) {
                paragraphs.push_back(rest);
                break;
            }
            paragraphs.push_back(rest.first(end));
            rest = rest.sliced(end + 1);
        }
    }
    return paragraphs;
}

qsizetype Paginator::offsetOfPage(const std::vector<QString> &pages, int page)
{
    const int end = qBound(0, page, int(pages.size()));
    return std::accumulate(pages.begin(), pages.begin() + end, qsizetype(0),
                           [](qsizetype sum, const QString &text) { return sum + text.size(); });
}

int Paginator::pageAtOffset(const std::vector<QString> &pages, qsizetype offset)
{
    qsizetype pageStart = 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        pageStart += pages[i].size();
        if (offset < pageStart)
            return int(i);
    }
    return qMax(0, int(pages.size()) - 1);
}

QString Paginator::joinParagraphs(const std::vector<QStringView> &paragraphs,
                                  size_t first, size_t last)
{
    qsizetype length = 0;
    for (size_t i = first; i < last; ++i)
        length += paragraphs[i].size() + 1;
    QString page;
    page.reserve(length);
    for (size_t i = first; i < last; ++i) {
        page += paragraphs[i];
        page += u'\n';
    }
    return page;
}
