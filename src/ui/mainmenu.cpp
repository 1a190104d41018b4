#include "mainmenu.h"

#include "theme.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QEvent>

MainMenu::MainMenu(QWidget *parent)
    : QMenu(parent)
    , m_languages(new QActionGroup(this))
{
    m_languages->setExclusive(true);
    m_simplifiedChinese = addLanguage(QStringLiteral("zh_CN"));
    m_traditionalChinese = addLanguage(QStringLiteral("zh_TW"));
    m_english = addLanguage(QStringLiteral("en_US"));
    addSeparator();
    m_reset = addAction(QString(), this, &MainMenu::resetChosen);
    m_about = addAction(QString(), this, &MainMenu::aboutChosen);
    addSeparator();
    m_chaptersStartPages = addAction(QString());
    m_chaptersStartPages->setCheckable(true);
    connect(m_chaptersStartPages, &QAction::triggered, this, &MainMenu::chaptersStartPagesToggled);
    addThemes();
    addSeparator();
    m_bookLayout = addAction(QString());
    m_bookLayout->setCheckable(true);
    connect(m_bookLayout, &QAction::triggered, this, &MainMenu::bookLayoutToggled);
    m_spread = addAction(QString());
    m_spread->setCheckable(true);
    connect(m_spread, &QAction::triggered, this, &MainMenu::spreadToggled);
    m_preferences = addAction(QString(), this, &MainMenu::preferencesChosen);
    retranslate();
}

void MainMenu::addThemes()
{
    m_themeMenu = addMenu(QString());
    m_themes = new QActionGroup(this);
    m_themes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const QString &name : Theme::names()) {
        QAction *action = m_themeMenu->addAction(QString(), this, [this, name] { emit themeChosen(name); });
        action->setCheckable(true);
        action->setData(name);
        m_themes->addAction(action);
    }
}

void MainMenu::setTheme(const QString &theme)
{
    for (QAction *action : m_themes->actions())
        action->setChecked(action->data().toString() == theme);
}

QAction *MainMenu::addLanguage(const QString &code)
{
    QAction *action = addAction(QString(), this, [this, code] { emit languageChosen(code); });
    action->setCheckable(true);
    action->setData(code);
    m_languages->addAction(action);
    return action;
}

void MainMenu::setLanguage(const QString &language)
{
    for (QAction *action : m_languages->actions())
        action->setChecked(action->data().toString() == language);
}

void MainMenu::setChaptersStartPages(bool on)
{
    m_chaptersStartPages->setChecked(on);
}

void MainMenu::addBookActions(const QList<QAction *> &actions)
{
    addSeparator();
    addActions(actions);
}

void MainMenu::setBookLayout(bool on)
{
    m_bookLayout->setChecked(on);
}

void MainMenu::setSpread(bool on)
{
    m_spread->setChecked(on);
}

void MainMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMenu::changeEvent(event);
}

// The language names stay in their own language; the catalogues translate them to
// themselves.
void MainMenu::retranslate()
{
    m_simplifiedChinese->setText(QCoreApplication::translate("MainWindow", "简体中文"));
    m_traditionalChinese->setText(QCoreApplication::translate("MainWindow", "繁體中文"));
    m_english->setText(QCoreApplication::translate("MainWindow", "English"));
    m_reset->setText(QCoreApplication::translate("MainWindow", "一键重置"));
    m_about->setText(QCoreApplication::translate("MainWindow", "关于Quorvane"));
    m_chaptersStartPages->setText(QCoreApplication::translate("MainWindow", "章节另起一页"));
    m_themeMenu->setTitle(QCoreApplication::translate("MainWindow", "主题"));
    const QStringList names{ QCoreApplication::translate("MainWindow", "日间"),
                             QCoreApplication::translate("MainWindow", "羊皮纸"),
                             QCoreApplication::translate("MainWindow", "护眼"),
                             QCoreApplication::translate("MainWindow", "夜间") };
    const QList<QAction *> themes = m_themes->actions();
    for (int i = 0; i < themes.size(); ++i)
        themes[i]->setText(names.at(i));
    m_bookLayout->setText(QCoreApplication::translate("MainWindow", "书籍排版"));
    m_spread->setText(QCoreApplication::translate("MainWindow", "宽窗口双页"));
    m_preferences->setText(QCoreApplication::translate("MainWindow", "偏好设置…"));
}
