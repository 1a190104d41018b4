#include "bookshelfwidget.h"

#include "coverpainter.h"

#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QResizeEvent>

namespace {

constexpr int ShelfTitleLimit = 15;
constexpr int ShelfTitleKept = 12;

// A book on the shelf that draws its cover the first time the view asks for it. A rebuild then
// costs only the covers on screen, and the covers of a long list that are never scrolled to
// take neither time nor memory.
class BookItem : public QListWidgetItem
{
public:
    BookItem(const QString &filePath, const QColor &coverColor)
        : m_coverColor(coverColor)
    {
        setText(BookshelfWidget::shelfTitle(filePath));
        setData(Qt::UserRole, filePath);
        setTextAlignment(Qt::AlignCenter);
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }

    QVariant data(int role) const override
    {
        if (role != Qt::DecorationRole)
            return QListWidgetItem::data(role);
        if (m_cover.isNull())
            m_cover = QIcon(CoverPainter::generateCover(text(), m_coverColor));
        return m_cover;
    }

private:
    QColor m_coverColor;
    mutable QIcon m_cover;
};

QListWidgetItem *makeHintItem()
{
    // Deliberately outside tr(): the hint reads the same in every interface language.
    auto *item = new QListWidgetItem(QStringLiteral("暂无书籍\n点击打开按钮添加书籍"));
    item->setTextAlignment(Qt::AlignCenter);
    QFont font;
    font.setPointSize(12);
    item->setFont(font);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

}

BookshelfWidget::BookshelfWidget(QWidget *parent)
    : QListWidget(parent)
{
    setViewMode(QListView::IconMode);
    setIconSize(QSize(185, 250));
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setSpacing(0);
    setUniformItemSizes(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFlow(QListView::LeftToRight);
    setWrapping(true);

    connect(this, &QListWidget::itemClicked, this, &BookshelfWidget::onItemClicked);
}

void BookshelfWidget::setBooks(const QStringList &books)
{
    m_books = books;
    refreshBooks();
}

QString BookshelfWidget::shelfTitle(const QString &filePath)
{
    const QString name = QFileInfo(filePath).completeBaseName();
    if (name.size() <= ShelfTitleLimit)
        return name;
    // Cutting between the two halves of a surrogate pair would leave half a character.
    const int kept = name.at(ShelfTitleKept - 1).isHighSurrogate() ? ShelfTitleKept - 1
                                                                   : ShelfTitleKept;
    return name.left(kept) + QStringLiteral("...");
}

void BookshelfWidget::onItemClicked(QListWidgetItem *item)
{
    if (!item || !item->flags().testFlag(Qt::ItemIsEnabled))
        return;
    const QString filePath = item->data(Qt::UserRole).toString();
    if (!filePath.isEmpty())
        emit bookSelected(filePath);
}

void BookshelfWidget::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    updateGridSize();
    viewport()->update();
}

void BookshelfWidget::refreshBooks()
{
    clear();
    for (int position = 0; position < m_books.size(); ++position)
        addItem(new BookItem(m_books.at(position), CoverPainter::coverColor(position)));
    if (m_books.isEmpty())
        addItem(makeHintItem());
}

void BookshelfWidget::updateGridSize()
{
    setGridSize(QSize(iconSize().width() + spacing(), iconSize().height()));
    updateGeometry();
}
