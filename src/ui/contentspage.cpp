#include "contentspage.h"

#include "chapterfilter.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStandardItemModel>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int SectionIndent = 2;

}

ContentsPage::ContentsPage(QWidget *parent)
    : QWidget(parent)
    , m_filter(new QLineEdit(this))
    , m_chapters(new QStandardItemModel(this))
    , m_filtered(new ChapterFilter(this))
    , m_list(new QListView(this))
    , m_emptyNotice(new QLabel(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_filter);
    layout->addWidget(m_list);
    layout->addWidget(m_emptyNotice);
    m_filter->setClearButtonEnabled(true);
    m_filtered->setSourceModel(m_chapters);
    m_list->setModel(m_filtered);
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_emptyNotice->setAlignment(Qt::AlignCenter);
    m_emptyNotice->hide();
    setFocusProxy(m_filter);
    m_list->installEventFilter(this);

    connect(m_filter, &QLineEdit::textChanged, this, &ContentsPage::applyFilter);
    connect(m_filter, &QLineEdit::returnPressed, this, &ContentsPage::chooseFirstShown);
    connect(m_list, &QListView::clicked, this, &ContentsPage::chooseItem);
    connect(m_list, &QListView::activated, this, &ContentsPage::chooseItem);
    retranslate();
}

// Chapters of a volume are indented under it; a book without volumes is not indented at all.
void ContentsPage::setChapters(const std::vector<Chapter> &chapters)
{
    m_chapters->clear();
    m_current = -1;
    const bool hasVolumes = std::any_of(chapters.begin(), chapters.end(), [](const Chapter &chapter) {
        return chapter.level == Chapter::Volume;
    });
    QFont volumeFont = m_list->font();
    volumeFont.setBold(true);
    for (const Chapter &chapter : chapters) {
        const bool indented = hasVolumes && chapter.level != Chapter::Volume;
        auto *item = new QStandardItem(QString(indented ? SectionIndent : 0, QChar(0x3000)) + chapter.title);
        if (chapter.level == Chapter::Volume)
            item->setFont(volumeFont);
        m_chapters->appendRow(item);
    }
    m_list->setVisible(!chapters.empty());
    m_filter->setVisible(!chapters.empty());
    m_emptyNotice->setVisible(chapters.empty());
    applyFilter(m_filter->text());
}

void ContentsPage::setCurrentChapter(int chapter)
{
    m_current = chapter;
    showCurrent();
}

void ContentsPage::setFilter(const QString &text)
{
    m_filter->setText(text);
}

std::vector<int> ContentsPage::shownChapters() const
{
    std::vector<int> shown;
    for (int row = 0; row < m_filtered->rowCount(); ++row)
        shown.push_back(m_filtered->mapToSource(m_filtered->index(row, 0)).row());
    return shown;
}

void ContentsPage::applyFilter(const QString &text)
{
    m_filtered->setWanted(text);
    showCurrent();
}

void ContentsPage::chooseItem(const QModelIndex &index)
{
    if (index.isValid())
        emit chapterChosen(m_filtered->mapToSource(index).row());
}

// Enter in the filter box opens the selected entry if the filter kept it, else the first kept.
void ContentsPage::chooseFirstShown()
{
    const QModelIndex selected = m_list->currentIndex();
    if (selected.isValid()) {
        chooseItem(selected);
        return;
    }
    if (m_filtered->rowCount() > 0)
        chooseItem(m_filtered->index(0, 0));
}

void ContentsPage::showCurrent()
{
    const QModelIndex current = m_filtered->mapFromSource(m_chapters->index(m_current, 0));
    if (!current.isValid()) {
        m_list->setCurrentIndex({});
        return;
    }
    m_list->setCurrentIndex(current);
    m_list->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

void ContentsPage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

// The list keeps the keys it moves through the entries with, which the window would
// otherwise take to turn the book's pages.
bool ContentsPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        static const QList<int> listKeys{ Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp,
                                          Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End };
        if (key->modifiers() == Qt::NoModifier && listKeys.contains(key->key())) {
            event->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ContentsPage::retranslate()
{
    m_filter->setPlaceholderText(tr("查找章节"));
    m_emptyNotice->setText(tr("本书没有章节"));
}
