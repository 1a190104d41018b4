#include "contentspage.h"

#include "headingnumbers.h"

#include <QKeyEvent>

#include <algorithm>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

constexpr int SectionIndent = 2;

}

ContentsPage::ContentsPage(QWidget *parent)
    : QWidget(parent)
    , m_filter(new QLineEdit(this))
    , m_list(new QListWidget(this))
    , m_emptyNotice(new QLabel(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_filter);
    layout->addWidget(m_list);
    layout->addWidget(m_emptyNotice);
    m_filter->setClearButtonEnabled(true);
    m_list->setUniformItemSizes(true);
    m_emptyNotice->setAlignment(Qt::AlignCenter);
    m_emptyNotice->hide();
    setFocusProxy(m_filter);
    m_list->installEventFilter(this);

    connect(m_filter, &QLineEdit::textChanged, this, &ContentsPage::applyFilter);
    connect(m_filter, &QLineEdit::returnPressed, this, &ContentsPage::chooseFirstShown);
    connect(m_list, &QListWidget::itemClicked, this, &ContentsPage::chooseItem);
    connect(m_list, &QListWidget::itemActivated, this, &ContentsPage::chooseItem);
    retranslate();
}

// Chapters of a volume are indented under it; a book without volumes is not indented at all.
void ContentsPage::setChapters(const std::vector<Chapter> &chapters)
{
    m_list->clear();
    m_current = -1;
    const bool hasVolumes = std::any_of(chapters.begin(), chapters.end(), [](const Chapter &chapter) {
        return chapter.level == Chapter::Volume;
    });
    QFont volumeFont = m_list->font();
    volumeFont.setBold(true);
    for (const Chapter &chapter : chapters) {
        const bool indented = hasVolumes && chapter.level != Chapter::Volume;
        auto *item = new QListWidgetItem(QString(indented ? SectionIndent : 0, QChar(0x3000)) + chapter.title,
                                         m_list);
        if (chapter.level == Chapter::Volume)
            item->setFont(volumeFont);
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
    for (int row = 0; row < m_list->count(); ++row) {
        if (!m_list->item(row)->isHidden())
            shown.push_back(row);
    }
    return shown;
}

// A number typed finds the headings counted with it in any numerals: 120, １２０ and 一百二十.
void ContentsPage::applyFilter(const QString &text)
{
    const QString wanted = text.trimmed();
    const int number = HeadingNumbers::valueOf(wanted);
    const auto matches = [&wanted, number](const QString &title) {
        return title.contains(wanted, Qt::CaseInsensitive)
                || (number >= 0 && HeadingNumbers::numbersIn(title).contains(number));
    };
    m_list->setUpdatesEnabled(false);
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem *item = m_list->item(row);
        item->setHidden(!wanted.isEmpty() && !matches(item->text()));
    }
    m_list->setUpdatesEnabled(true);
    showCurrent();
}

void ContentsPage::chooseItem(QListWidgetItem *item)
{
    if (item)
        emit chapterChosen(m_list->row(item));
}

// Enter in the filter box opens the selected entry if the filter kept it, else the first kept.
void ContentsPage::chooseFirstShown()
{
    QListWidgetItem *selected = m_list->currentItem();
    if (selected && !selected->isHidden()) {
        chooseItem(selected);
        return;
    }
    const std::vector<int> shown = shownChapters();
    if (!shown.empty())
        emit chapterChosen(shown.front());
}

void ContentsPage::showCurrent()
{
    QListWidgetItem *item = m_list->item(m_current);
    if (!item || item->isHidden()) {
        m_list->setCurrentItem(nullptr);
        return;
    }
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item, QAbstractItemView::PositionAtCenter);
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
