#include "layoutpreview.h"

#include "booklayout.h"
#include "pagerenderer.h"
#include "paginator.h"
#include "readingdefaults.h"

#include <QPainter>

// Wide enough for lines of a dozen characters and more, as on a page.
LayoutPreview::LayoutPreview(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(300, 340);
}

void LayoutPreview::setTextFont(const QFont &font)
{
    m_font = font;
    update();
}

void LayoutPreview::setPageLayout(const TypesetStyle &style, int margin)
{
    m_style = style;
    m_margin = margin;
    update();
}

QSize LayoutPreview::sizeHint() const
{
    return QSize(320, 360);
}

// Cut and drawn as a book's first page would be.
void LayoutPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), ReadingDefaults::PageColor);
    painter.setPen(Qt::black);
    const QRectF area = QRectF(rect()).adjusted(m_margin, m_margin, -m_margin, -m_margin);
    const QString text = tr("第一章 雨夜\n"
                            "　　雨下了整整一夜，到天亮才停。院子里的石榴树落了一地的花，红得像撒了一层胭脂。\n"
                            "　　她推开窗，说：“今年的花开得早——也谢得早……”没有人回答她。远处传来几声鸡叫，"
                            "接着是挑水人的扁担吱呀吱呀地响过巷口。\n"
                            "　　她想起《山居笔记》里的一句话，又想起那年的春天。");
    const std::vector<Chapter> headings{ { 0, text.indexOf(u'\n'), QString(), Chapter::Section } };
    if (!m_style.book) {
        painter.setFont(m_font);
        painter.drawText(area, text, Paginator::textOption());
        return;
    }
    const PageFormat format{ m_font, area.size().toSize(), false, m_style };
    const std::vector<QString> pages = Paginator(format).paginate(text, headings);
    const BookLayout layout(m_font, QSizeF(format.textArea), m_style, false);
    PageRenderer::draw(painter, area, pages.front(), layout, layout.linesOfPage(pages, 0, headings));
}
