#include "contentscontroller.h"

#include "contentspage.h"
#include "conversioncontroller.h"
#include "pagepresenter.h"
#include "readingsession.h"
#include "viewstack.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QToolButton>

ContentsController::ContentsController(ReadingSession *session, ViewStack *views,
                                       ConversionController *conversion, PagePresenter *presenter,
                                       Strip strip, QWidget *window)
    : QObject(window)
    , m_session(session)
    , m_views(views)
    , m_conversion(conversion)
    , m_presenter(presenter)
    , m_window(window)
    , m_page(new ContentsPage(window))
    , m_button(addButton(strip))
{
    m_views->addView(ViewStack::Contents, m_page, m_button);
    connect(m_button, &QAbstractButton::clicked, this, &ContentsController::showContents);
    connect(m_page, &ContentsPage::chapterChosen, this, &ContentsController::openChapter);
    connect(m_session, &ReadingSession::chaptersChanged, this, &ContentsController::showChapters);
    connect(m_conversion, &ConversionController::conversionChanged, this, &ContentsController::showChapters);
}

// The button joins the left strip under the shelf's.
QAbstractButton *ContentsController::addButton(Strip strip)
{
    auto *button = new QToolButton(m_window);
    button->setObjectName(QStringLiteral("contentsButton"));
    QIcon icon(QStringLiteral(":/icons/contents.svg"));
    icon.addFile(QStringLiteral(":/icons/contents-hover.svg"), {}, QIcon::Normal, QIcon::On);
    button->setIcon(icon);
    button->setIconSize(strip.above->iconSize());
    button->setCheckable(true);
    button->setToolTip(tr("目录"));
    strip.buttons->addButton(button);
    strip.layout->insertWidget(strip.layout->indexOf(strip.above) + 1, button);
    return button;
}

void ContentsController::showContents()
{
    m_page->setFilter({});
    m_page->setCurrentChapter(m_session->currentChapter());
    m_views->show(ViewStack::Contents);
    m_page->setFocus(Qt::OtherFocusReason);
}

void ContentsController::retranslate()
{
    m_button->setToolTip(tr("目录"));
}

void ContentsController::showChapters()
{
    m_page->setChapters(m_conversion->shownChapters(m_session->chapters()));
}

void ContentsController::openChapter(int chapter)
{
    m_session->goToChapter(chapter);
    m_presenter->showReadingPage();
    m_window->setFocus(Qt::OtherFocusReason);
}
