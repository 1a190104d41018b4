#ifndef LANGUAGEMANAGER_H
#define LANGUAGEMANAGER_H

#include <QObject>
#include <QString>
#include <QTranslator>

// Installs the interface's catalogue and Qt's own (the texts of standard dialogs) for a
// language. Every widget is then sent QEvent::LanguageChange and translates itself again.
class LanguageManager : public QObject
{
    Q_OBJECT

public:
    explicit LanguageManager(QObject *parent = nullptr);

    // Empty until a language has been applied.
    QString language() const { return m_language; }

    // Installs the catalogues of a language; a language whose catalogue cannot be loaded
    // falls back to the default one. Returns the language now in effect.
    QString apply(const QString &language);

private:
    bool installCatalogue(const QString &language);
    void installQtCatalogue(const QString &language);
    static void retranslateWindows();

    QString m_language;
    QTranslator m_translator;
    QTranslator m_qtTranslator;
};

#endif
