#include "themecontroller.h"

#include "pagewidget.h"
#include "settings.h"

#include <QApplication>
#include <QFile>

namespace {

// The application's own style sheet, kept on the application the first time a theme is laid
// over it: a later window must not take a theme on show for the sheet beneath.
const char *const BaseSheetProperty = "lexorinBaseStyleSheet";

QString baseStyleSheet()
{
    if (!qApp->property(BaseSheetProperty).isValid())
        qApp->setProperty(BaseSheetProperty, qApp->styleSheet());
    return qApp->property(BaseSheetProperty).toString();
}

}

ThemeController::ThemeController(Settings &settings, PageWidget *pageWidget, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_pageWidget(pageWidget)
    , m_baseSheet(baseStyleSheet())
{
    QFile templateFile(QStringLiteral(":/qss/theme.css"));
    if (templateFile.open(QIODevice::ReadOnly))
        m_template = QString::fromUtf8(templateFile.readAll());
}

QString ThemeController::current() const
{
    return m_settings.theme();
}

Theme ThemeController::theme() const
{
    const QString name = current();
    if (name == Theme::Custom)
        return Theme::fromPage(m_settings.backgroundColor(), m_settings.textColor());
    if (Theme::names().contains(name))
        return Theme::named(name);
    return Theme::plain(m_settings.backgroundColor(), m_settings.textColor());
}

void ThemeController::choose(const QString &name)
{
    m_settings.setTheme(name);
    apply();
}

void ThemeController::useCustomColors()
{
    choose(Theme::Custom);
}

void ThemeController::applyStored()
{
    apply();
}

// Setting the application's style sheet polishes every widget again, so an unchanged one is
// left alone.
void ThemeController::apply()
{
    const Theme chosen = theme();
    m_pageWidget->setBackgroundColor(chosen.page());
    m_pageWidget->setTextColor(chosen.pageText());
    const QString sheet = m_baseSheet + chosen.styleSheet(m_template);
    if (qApp->styleSheet() != sheet)
        qApp->setStyleSheet(sheet);
    emit themeChanged(current());
}
