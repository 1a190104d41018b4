#include "layoutcontroller.h"

#include "mainmenu.h"
#include "pagewidget.h"
#include "preferencesdialog.h"
#include "readingsession.h"
#include "settings.h"

LayoutController::LayoutController(Settings &settings, PageWidget *pageWidget, QWidget *dialogParent)
    : QObject(dialogParent)
    , m_settings(settings)
    , m_pageWidget(pageWidget)
    , m_dialogParent(dialogParent)
{
}

bool LayoutController::isBookLayout() const
{
    return m_settings.typesetStyle().book;
}

void LayoutController::setBookLayout(bool on)
{
    TypesetStyle style = m_settings.typesetStyle();
    style.book = on;
    setLayout(style, m_settings.margins());
}

void LayoutController::setLayout(const TypesetStyle &style, const QString &margins)
{
    const bool wasBook = isBookLayout();
    m_settings.setTypesetStyle(style);
    m_settings.setMargins(margins);
    applyStored();
    if (wasBook != style.book)
        emit bookLayoutChanged(style.book);
}

bool LayoutController::isSpread() const
{
    return m_settings.spread();
}

void LayoutController::setSpread(bool on)
{
    m_settings.setSpread(on);
    m_pageWidget->setSpreadAllowed(on);
    emit spreadChanged(on);
}

void LayoutController::connectSpread(MainMenu *menu, ReadingSession *session)
{
    menu->setSpread(isSpread());
    connect(menu, &MainMenu::spreadToggled, this, &LayoutController::setSpread);
    connect(this, &LayoutController::spreadChanged, menu, &MainMenu::setSpread);
    session->setPagesPerTurn(m_pageWidget->pagesShown());
    connect(m_pageWidget, &PageWidget::pagesShownChanged, session, &ReadingSession::setPagesPerTurn);
}

void LayoutController::applyStored()
{
    const TypesetStyle style = m_settings.typesetStyle();
    m_pageWidget->setTextMargin(marginFor(style, m_settings.margins()));
    m_pageWidget->setTypesetStyle(style);
    m_pageWidget->setSpreadAllowed(isSpread());
    emit spreadChanged(isSpread());
}

// The original layout keeps the margin it always had.
int LayoutController::marginFor(const TypesetStyle &style, const QString &margins)
{
    if (!style.book)
        return PageWidget::TextMargin;
    if (margins == QLatin1String("narrow"))
        return 16;
    if (margins == QLatin1String("wide"))
        return 56;
    return 32;
}

void LayoutController::showPreferences()
{
    PreferencesDialog dialog(m_settings.typesetStyle(), m_settings.margins(), m_pageWidget->textFont(),
                             m_dialogParent);
    dialog.setSpread(isSpread());
    connect(&dialog, &PreferencesDialog::layoutChanged, this, &LayoutController::setLayout);
    connect(&dialog, &PreferencesDialog::spreadToggled, this, &LayoutController::setSpread);
    dialog.exec();
}
