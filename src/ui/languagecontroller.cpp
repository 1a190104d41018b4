#include "languagecontroller.h"

#include "languagemanager.h"
#include "mainmenu.h"
#include "settings.h"

LanguageController::LanguageController(Settings &settings, MainMenu *menu, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_menu(menu)
    , m_languages(new LanguageManager(this))
{
    connect(m_menu, &MainMenu::languageChosen, this, &LanguageController::switchTo);
}

void LanguageController::switchTo(const QString &language)
{
    if (language == m_languages->language())
        return;
    const bool starting = m_languages->language().isEmpty();
    const QString applied = m_languages->apply(language);
    m_menu->setLanguage(applied);
    if (!starting || applied != language)
        m_settings.setLanguage(applied);
}

void LanguageController::switchToDefault()
{
    switchTo(Settings::DefaultLanguage);
}

// The language manager tells the window of a new language at once, and Qt tells it again
// later; only the first of the two translates the texts, which resets the header.
void LanguageController::noteLanguageChange()
{
    if (m_translatedLanguage == m_languages->language())
        return;
    m_translatedLanguage = m_languages->language();
    emit retranslationNeeded();
}
