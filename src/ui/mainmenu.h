#ifndef MAINMENU_H
#define MAINMENU_H

#include <QMenu>

class QAction;
class QActionGroup;

// The menu behind the strip's menu button: the interface language, the one-click reset and
// the About dialog, then whether chapters start pages, the reading theme, the book layout's
// switch, the two-page spread and the preferences, and the commands on the book on show. Its texts are the main
// window's.
class MainMenu : public QMenu
{
    Q_OBJECT

public:
    explicit MainMenu(QWidget *parent = nullptr);

    // Checks the item of the language in effect.
    void setLanguage(const QString &language);
    void setChaptersStartPages(bool on);
    // Adds the commands on the book on show after the menu's own items.
    void addBookActions(const QList<QAction *> &actions);
    // Checks the item of the theme in effect; none where the reader chose none of them.
    void setTheme(const QString &theme);
    // Checks the book layout's item when the book layout is on.
    void setBookLayout(bool on);
    // Checks the two-page spread's item when a wide window shows two pages.
    void setSpread(bool on);

signals:
    void languageChosen(const QString &language);
    void chaptersStartPagesToggled(bool on);
    void resetChosen();
    void aboutChosen();
    void themeChosen(const QString &theme);
    void bookLayoutToggled(bool on);
    void spreadToggled(bool on);
    void preferencesChosen();

protected:
    void changeEvent(QEvent *event) override;

private:
    QAction *addLanguage(const QString &code);
    void addThemes();
    void retranslate();

    QActionGroup *m_languages;
    QAction *m_simplifiedChinese;
    QAction *m_traditionalChinese;
    QAction *m_english;
    QAction *m_chaptersStartPages;
    QAction *m_reset;
    QAction *m_about;
    QMenu *m_themeMenu;
    QActionGroup *m_themes;
    QAction *m_bookLayout;
    QAction *m_spread;
    QAction *m_preferences;
};

#endif
