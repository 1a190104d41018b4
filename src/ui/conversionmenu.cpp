#include "conversionmenu.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QEvent>

ConversionMenu::ConversionMenu(QWidget *parent)
    : QMenu(parent)
    , m_conversions(new QActionGroup(this))
{
    m_conversions->setExclusive(true);
    for (const char *key : { "none", "s2t", "s2tw", "s2hk", "t2s", "tw2s", "hk2s" })
        addConversion(QString::fromLatin1(key));
    insertSeparator(actions().at(1));
    insertSeparator(actions().at(5));
    addSeparator();
    m_onlyThisBook = addAction(QString());
    m_onlyThisBook->setCheckable(true);
    m_onlyThisBook->setEnabled(false);
    connect(m_onlyThisBook, &QAction::triggered, this, &ConversionMenu::onlyThisBookToggled);
    retranslate();
}

void ConversionMenu::addConversion(const QString &key)
{
    QAction *action = addAction(QString(), this, [this, key] { emit conversionChosen(key); });
    action->setCheckable(true);
    action->setData(key);
    m_conversions->addAction(action);
}

void ConversionMenu::setConversion(const QString &key)
{
    for (QAction *action : m_conversions->actions())
        action->setChecked(action->data().toString() == key);
}

void ConversionMenu::setOnlyThisBook(bool checked, bool bookOnShow)
{
    m_onlyThisBook->setChecked(checked);
    m_onlyThisBook->setEnabled(bookOnShow);
}

void ConversionMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QMenu::changeEvent(event);
}

// The texts belong with the rest of the main window's.
void ConversionMenu::retranslate()
{
    setTitle(QCoreApplication::translate("MainWindow", "简繁转换"));
    const QHash<QString, QString> texts{
        { QStringLiteral("none"), QCoreApplication::translate("MainWindow", "按原文显示") },
        { QStringLiteral("s2t"), QCoreApplication::translate("MainWindow", "简体转繁体") },
        { QStringLiteral("s2tw"), QCoreApplication::translate("MainWindow", "简体转繁体（台湾）") },
        { QStringLiteral("s2hk"), QCoreApplication::translate("MainWindow", "简体转繁体（香港）") },
        { QStringLiteral("t2s"), QCoreApplication::translate("MainWindow", "繁体转简体") },
        { QStringLiteral("tw2s"), QCoreApplication::translate("MainWindow", "繁体（台湾）转简体") },
        { QStringLiteral("hk2s"), QCoreApplication::translate("MainWindow", "繁体（香港）转简体") },
    };
    for (QAction *action : m_conversions->actions())
        action->setText(texts.value(action->data().toString()));
    m_onlyThisBook->setText(QCoreApplication::translate("MainWindow", "仅用于本书"));
}
