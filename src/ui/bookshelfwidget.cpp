#include "bookshelfwidget.h"

#include "coverpainter.h"
#include "fileprober.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QResizeEvent>

#include <optional>

namespace {

constexpr int ShelfTitleLimit = 15;
constexpr int ShelfTitleKept = 12;
// Below this lightness the shelf counts as dark, as in a night theme.
constexpr int DarkShelfLightness = 96;
// Whether the book's file was found missing; unset until the prober has answered.
constexpr int MissingRole = Qt::UserRole + 1;

// A book on the shelf that draws its cover the first time the view asks for it. A rebuild then
// costs only the covers on screen, and the covers of a long list that are never scrolled to
// take neither time nor memory.
// Whether the file is there is asked the first time too, so a long shelf does not look at
// every file at once; the answer comes from a worker, and the cover is marked when it says
// the file is gone.
class BookItem : public QListWidgetItem
{
public:
    BookItem(const QString &filePath, const QColor &coverColor, std::optional<double> progress,
             bool darkShelf, FileProber *prober)
        : m_coverColor(coverColor)
        , m_progress(progress)
        , m_darkShelf(darkShelf)
        , m_prober(prober)
    {
        setText(BookshelfWidget::shelfTitle(filePath));
        setData(Qt::UserRole, filePath);
        if (const auto facts = prober->known(filePath))
            setData(MissingRole, !facts->exists);
        setTextAlignment(Qt::AlignCenter);
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    }

    QVariant data(int role) const override
    {
        if (role == Qt::ToolTipRole)
            return toolTip();
        if (role != Qt::DecorationRole)
            return QListWidgetItem::data(role);
        askWhetherThere();
        if (m_cover.isNull() || m_coverMissing != isMissing()) {
            m_coverMissing = isMissing();
            m_cover = QIcon(cover());
        }
        return m_cover;
    }

private:
    QString filePath() const { return QListWidgetItem::data(Qt::UserRole).toString(); }
    bool isMissing() const { return QListWidgetItem::data(MissingRole).toBool(); }

    void askWhetherThere() const
    {
        if (!std::exchange(m_asked, true))
            m_prober->probe(filePath());
    }

    QPixmap cover() const
    {
        QPixmap cover = CoverPainter::generateCover(text(), m_coverColor, m_darkShelf);
        if (m_progress)
            cover = CoverPainter::withProgress(cover, *m_progress);
        return isMissing() ? CoverPainter::asMissing(cover) : cover;
    }

    QString toolTip() const
    {
        const QString path = QDir::toNativeSeparators(filePath());
        if (isMissing())
            return BookshelfWidget::tr("%1\n文件已不存在").arg(path);
        if (m_progress)
            return BookshelfWidget::tr("%1\n已读 %2%").arg(path).arg(qRound(*m_progress * 100));
        return path;
    }

    QColor m_coverColor;
    std::optional<double> m_progress;
    bool m_darkShelf;
    FileProber *m_prober;
    mutable bool m_asked = false;
    mutable bool m_coverMissing = false;
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
    , m_prober(new FileProber(this))
{
    connect(m_prober, &FileProber::probed, this, &BookshelfWidget::markBook);
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
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const QListWidgetItem *book = itemAt(pos);
        const QString filePath = book ? book->data(Qt::UserRole).toString() : QString();
        if (!filePath.isEmpty())
            emit bookMenuRequested(filePath, viewport()->mapToGlobal(pos));
    });
}

void BookshelfWidget::setBooks(const QStringList &books, const QHash<QString, double> &progress,
                               const QStringList &coverOrder)
{
    m_books = books;
    m_progress = progress;
    m_coverOrder = coverOrder;
    refreshBooks();
}

void BookshelfWidget::setFileProber(FileProber *prober)
{
    if (m_prober->parent() == this)
        delete m_prober;
    else
        disconnect(m_prober, nullptr, this, nullptr);
    m_prober = prober;
    connect(m_prober, &FileProber::probed, this, &BookshelfWidget::markBook);
    refreshBooks();
}

void BookshelfWidget::markBook(const QString &filePath, const FileProber::Facts &facts)
{
    if (QListWidgetItem *book = m_items.value(filePath))
        book->setData(MissingRole, !facts.exists);
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

bool BookshelfWidget::isDark() const
{
    return palette().color(QPalette::Base).lightness() < DarkShelfLightness;
}

// A theme that darkens the shelf, or lightens it, needs the covers' shadows drawn anew.
void BookshelfWidget::changeEvent(QEvent *event)
{
    QListWidget::changeEvent(event);
    if ((event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) && isDark() != m_dark)
        refreshBooks();
}

void BookshelfWidget::refreshBooks()
{
    m_dark = isDark();
    clear();
    m_items.clear();
    QHash<QString, int> coverPositions;
    for (int position = int(m_coverOrder.size()) - 1; position >= 0; --position)
        coverPositions.insert(m_coverOrder.at(position), position);
    for (int position = 0; position < m_books.size(); ++position) {
        const QString &book = m_books.at(position);
        const auto progress = m_progress.constFind(book);
        const int coverPosition = coverPositions.value(book, position);
        auto *item = new BookItem(book, CoverPainter::coverColor(coverPosition),
                                  progress == m_progress.cend() ? std::nullopt : std::optional(*progress),
                                  m_dark, m_prober);
        m_items.insert(book, item);
        addItem(item);
    }
    if (m_books.isEmpty())
        addItem(makeHintItem());
}

void BookshelfWidget::updateGridSize()
{
    setGridSize(QSize(iconSize().width() + spacing(), iconSize().height()));
    updateGeometry();
}
