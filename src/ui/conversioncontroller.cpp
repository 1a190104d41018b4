#include "conversioncontroller.h"

#include "conversionmenu.h"
#include "library.h"
#include "pagewidget.h"
#include "readingsession.h"
#include "scriptconverter.h"
#include "settings.h"

namespace {

QString knownOrEmpty(const QString &key)
{
    return key.isEmpty() ? key : ScriptConverter::key(ScriptConverter::fromKey(key));
}

}

ConversionController::ConversionController(Settings &settings, Library *library,
                                           ReadingSession *session, PageWidget *pageWidget,
                                           QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_library(library)
    , m_pageWidget(pageWidget)
    , m_menu(new ConversionMenu(pageWidget->window()))
{
    connect(m_menu, &ConversionMenu::conversionChosen, this, &ConversionController::choose);
    connect(m_menu, &ConversionMenu::onlyThisBookToggled, this, &ConversionController::setOnlyThisBook);
    connect(session, &ReadingSession::bookShown, this, &ConversionController::showBook);
    connect(session, &ReadingSession::closed, this, [this] { showBook({}); });
    apply();
}

ConversionController::~ConversionController() = default;

void ConversionController::choose(const QString &key)
{
    if (m_bookConversion.isEmpty()) {
        m_settings.setConversion(key);
    } else {
        m_bookConversion = knownOrEmpty(key);
        m_library->setConversion(m_book, m_bookConversion);
    }
    apply();
}

void ConversionController::setOnlyThisBook(bool on)
{
    if (m_book.isEmpty())
        return;
    m_bookConversion = on ? inEffect() : QString();
    m_library->setConversion(m_book, m_bookConversion);
    apply();
}

void ConversionController::applyStored()
{
    showBook(m_book);
}

void ConversionController::showBook(const QString &path)
{
    m_book = path;
    m_bookConversion = path.isEmpty() ? QString() : knownOrEmpty(m_library->recordFor(path).conversion);
    apply();
}

QString ConversionController::inEffect() const
{
    return m_bookConversion.isEmpty() ? m_settings.conversion() : m_bookConversion;
}

void ConversionController::apply()
{
    const QString key = inEffect();
    m_menu->setConversion(key);
    m_menu->setOnlyThisBook(!m_bookConversion.isEmpty(), !m_book.isEmpty());
    const ScriptConverter::Conversion conversion = ScriptConverter::fromKey(key);
    if (m_shown && m_shown->conversion() == conversion)
        return;
    m_shown = std::make_shared<const ScriptConverter>(conversion);
    m_back = std::make_unique<const ScriptConverter>(ScriptConverter::reverse(conversion));
    m_pageWidget->setTextConversion(m_shown);
    emit conversionChanged();
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
