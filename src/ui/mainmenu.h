#ifndef MAINMENU_H
#define MAINMENU_H

#include <QMenu>

class QAction;
class QActionGroup;

// The menu behind the strip's menu button: the interface language, whether chapters start
// pages, the one-click reset and the About dialog; then the book layout's switch and the
// preferences.
class MainMenu : public QMenu
{
    Q_OBJECT

public:
    explicit MainMenu(QWidget *parent = nullptr);

    // Checks the item of the language in effect.
    void setLanguage(const QString &language);
    // Checks the book layout's item when the book layout is on.
    void setBookLayout(bool on);

signals:
    void languageChosen(const QString &language);
    void chaptersStartPagesToggled(bool on);
    void resetChosen();
    void aboutChosen();
    void bookLayoutToggled(bool on);
    void preferencesChosen();

protected:
    void changeEvent(QEvent *event) override;

private:
    QAction *addLanguage(const QString &code);
    void retranslate();

    QActionGroup *m_languages;
    QAction *m_simplifiedChinese;
    QAction *m_traditionalChinese;
    QAction *m_english;
    QAction *m_chaptersStartPages;
    QAction *m_reset;
    QAction *m_about;
    QAction *m_bookLayout;
    QAction *m_preferences;
};

#endif
