#ifndef LANGUAGECONTROLLER_H
#define LANGUAGECONTROLLER_H

#include <QObject>
#include <QString>

class LanguageManager;
class MainMenu;
class Settings;

// The interface's language: switches it, keeps the choice in the store and the main menu's
// mark on it, and tells the window's pieces once when their texts are to be put anew.
class LanguageController : public QObject
{
    Q_OBJECT

public:
    LanguageController(Settings &settings, MainMenu *menu, QObject *parent = nullptr);

    // The first switch, at start, installs the saved language without writing it; later
    // ones write the language they leave the interface in.
    void switchTo(const QString &language);
    void switchToDefault();
    // The window was told its language changed.
    void noteLanguageChange();

signals:
    // The texts on show are to be translated anew, once per language.
    void retranslationNeeded();

private:
    Settings &m_settings;
    MainMenu *m_menu;
    LanguageManager *m_languages;
    QString m_translatedLanguage;
};

#endif
