#include "readingtoolbar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QToolButton>

ReadingToolBar::ReadingToolBar(QWidget *parent)
    : QWidget(parent)
{
    // The page takes all the height there is; the buttons only their own.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    m_bookmarkButton = addButton("bookmarkButton");
    m_bookmarkButton->setCheckable(true);
    m_bookmarksButton = addButton("bookmarksButton");
    m_encodingButton = addButton("encodingButton");
    retranslate();

    // The button's own check state follows the page, not the click.
    connect(m_bookmarkButton, &QToolButton::clicked, this, [this] {
        m_bookmarkButton->setChecked(!m_bookmarkButton->isChecked());
        emit bookmarkToggled();
    });
    connect(m_bookmarksButton, &QToolButton::clicked, this, &ReadingToolBar::bookmarksRequested);
    connect(m_encodingButton, &QToolButton::clicked, this, &ReadingToolBar::encodingRequested);
}

QToolButton *ReadingToolBar::addButton(const char *name)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    layout()->addWidget(button);
    return button;
}

void ReadingToolBar::setPageBookmarked(bool bookmarked)
{
    m_bookmarkButton->setChecked(bookmarked);
}

void ReadingToolBar::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ReadingToolBar::retranslate()
{
    m_bookmarkButton->setText(tr("书签"));
    m_bookmarkButton->setToolTip(tr("为本页添加或删除书签 (Ctrl+D)"));
    m_bookmarksButton->setText(tr("书签列表"));
    m_bookmarksButton->setToolTip(tr("查看本书的书签 (Ctrl+B)"));
    m_encodingButton->setText(tr("编码"));
    m_encodingButton->setToolTip(tr("用另一种编码重新打开本书"));
}
