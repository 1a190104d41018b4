#include "mainmenu.h"

#include <QActionGroup>
#include <QEvent>

MainMenu::MainMenu(QWidget *parent)
    : QMenu(parent)
    , m_languages(new QActionGroup(this))
{
    setStyleSheet(QStringLiteral("QMenu { background-color: white; border: 1px solid #ddd; }"
                                 "QMenu::item { padding: 5px 20px 5px 10px; }"
                                 "QMenu::item:selected { background-color: #e6f2ff; }"
                                 "QMenu::icon { left: 5px; }"));
    m_languages->setExclusive(true);
    m_simplifiedChinese = addLanguage(QStringLiteral("zh_CN"));
    m_traditionalChinese = addLanguage(QStringLiteral("zh_TW"));
    m_english = addLanguage(QStringLiteral("en_US"));
    addSeparator();
    m_chaptersStartPages = addAction(QString());
    m_chaptersStartPages->setCheckable(true);
    m_chaptersStartPages->setChecked(true);
    connect(m_chaptersStartPages, &QAction::triggered, this, &MainMenu::chaptersStartPagesToggled);
    addSeparator();
    m_reset = addAction(QString(), this, &MainMenu::resetChosen);
    m_about = addAction(QString(), this, &MainMenu::aboutChosen);
    addSeparator();
    m_bookLayout = addAction(QString());
    m_bookLayout->setCheckable(true);
    connect(m_bookLayout, &QAction::triggered, this, &MainMenu::bookLayoutToggled);
    m_preferences = addAction(QString(), this, &MainMenu::preferencesChosen);
    retranslate();
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

void MainMenu::setBookLayout(bool on)
{
    m_bookLayout->setChecked(on);
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
    m_simplifiedChinese->setText(tr("简体中文"));
    m_traditionalChinese->setText(tr("繁體中文"));
    m_english->setText(tr("English"));
    m_chaptersStartPages->setText(tr("章节另起一页"));
    m_reset->setText(tr("一键重置"));
    m_about->setText(tr("关于Quorvane"));
    m_bookLayout->setText(tr("书籍排版"));
    m_preferences->setText(tr("偏好设置…"));
}
