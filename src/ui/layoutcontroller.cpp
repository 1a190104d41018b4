#include "layoutcontroller.h"

#include "pagewidget.h"
#include "preferencesdialog.h"
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

void LayoutController::applyStored()
{
    const TypesetStyle style = m_settings.typesetStyle();
    m_pageWidget->setTextMargin(marginFor(style, m_settings.margins()));
    m_pageWidget->setTypesetStyle(style);
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
    connect(&dialog, &PreferencesDialog::layoutChanged, this, &LayoutController::setLayout);
    dialog.exec();
}
