#include "conversioncontroller.h"

#include "conversionmenu.h"
#include "pagewidget.h"
#include "scriptconverter.h"
#include "settings.h"

ConversionController::ConversionController(Settings &settings, PageWidget *pageWidget,
                                           QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_pageWidget(pageWidget)
    , m_menu(new ConversionMenu(pageWidget->window()))
{
    connect(m_menu, &ConversionMenu::conversionChosen, this, &ConversionController::choose);
    apply(m_settings.conversion());
}

ConversionController::~ConversionController() = default;

void ConversionController::choose(const QString &key)
{
    m_settings.setConversion(key);
    apply(m_settings.conversion());
    emit conversionChanged();
}

void ConversionController::applyStored()
{
    apply(m_settings.conversion());
    emit conversionChanged();
}

void ConversionController::apply(const QString &key)
{
    const ScriptConverter::Conversion conversion = ScriptConverter::fromKey(key);
    m_shown = std::make_shared<const ScriptConverter>(conversion);
    m_back = std::make_unique<const ScriptConverter>(ScriptConverter::reverse(conversion));
    m_pageWidget->setTextConversion(m_shown);
    m_menu->setConversion(key);
}

QString ConversionController::toBookScript(const QString &text) const
{
    return m_back->convert(text);
}

QString ConversionController::shown(const QString &text) const
{
    return m_shown->convert(text);
}

std::vector<Chapter> ConversionController::shownChapters(std::vector<Chapter> chapters) const
{
    if (m_shown->isActive()) {
        for (Chapter &chapter : chapters)
            chapter.title = shown(chapter.title);
    }
    return chapters;
}
