#include "languagemanager.h"

#include "settings.h"
#include "uilogging.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QDebug>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>

LanguageManager::LanguageManager(QObject *parent)
    : QObject(parent)
{
}

QString LanguageManager::apply(const QString &language)
{
    if (!installCatalogue(language) && language != Settings::DefaultLanguage)
        return apply(Settings::DefaultLanguage);
    installQtCatalogue(language);
    // Dates and numbers are written the way the interface speaks.
    QLocale::setDefault(QLocale(language));
    m_language = language;
    retranslateWindows();
    return language;
}

// Qt posts the change to the windows; they are told at once so that the interface speaks the
// new language as soon as it is applied.
void LanguageManager::retranslateWindows()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window, &change);
    }
}

bool LanguageManager::installCatalogue(const QString &language)
{
    QCoreApplication::removeTranslator(&m_translator);
    const QString path = QStringLiteral(":/translations/lang_%1.qm").arg(language);
    if (!QFile::exists(path)) {
        qCWarning(lcUi) << "Translation file not found:" << path;
        return false;
    }
    if (!m_translator.load(path)) {
        qCWarning(lcUi) << "Failed to load translation file:" << path;
        return false;
    }
    return QCoreApplication::installTranslator(&m_translator);
}

void LanguageManager::installQtCatalogue(const QString &language)
{
    QCoreApplication::removeTranslator(&m_qtTranslator);
    if (m_qtTranslator.load(QStringLiteral("qt_") + language,
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslator);
}
