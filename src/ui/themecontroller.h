#ifndef THEMECONTROLLER_H
#define THEMECONTROLLER_H

#include "theme.h"

#include <QObject>
#include <QString>

class PageWidget;
class Settings;

// The reading theme: colours the page and, through the application's style sheet, the whole
// window and its dialogs from one palette. The choice is stored; a reader who never made
// one sees the page colours stored and the window as the style sheet alone draws it.
class ThemeController : public QObject
{
    Q_OBJECT

public:
    // The style sheet the application had before any theme is the one every theme is laid over.
    ThemeController(Settings &settings, PageWidget *pageWidget, QObject *parent);

    QString current() const;
    Theme theme() const;

    void choose(const QString &name);
    // The reader picked a page colour: the window follows the page's colours from now on.
    void useCustomColors();
    // Shows the stored theme, as at start and after a reset.
    void applyStored();

signals:
    void themeChanged(const QString &name);

private:
    void apply();

    Settings &m_settings;
    PageWidget *m_pageWidget;
    QString m_baseSheet;
    QString m_template;
};

#endif
