#ifndef LAYOUTCONTROLLER_H
#define LAYOUTCONTROLLER_H

#include "typesetstyle.h"

#include <QObject>
#include <QString>

class MainMenu;
class PageWidget;
class QWidget;
class ReadingSession;
class Settings;

// How the pages are set: the original layout or the book layout with its spacing, indent,
// margins and justification, and whether a wide window shows two pages side by side. Each change is stored as it is made and handed to the page
// widget, whose new text area or style has the book on show cut anew at the reader's place.
class LayoutController : public QObject
{
    Q_OBJECT

public:
    LayoutController(Settings &settings, PageWidget *pageWidget, QWidget *dialogParent);

    bool isBookLayout() const;
    void setBookLayout(bool on);
    void setLayout(const TypesetStyle &style, const QString &margins);
    bool isSpread() const;
    void setSpread(bool on);
    // Offers the two-page spread in the main menu and has the session turn as many pages as
    // the page area shows.
    void connectSpread(MainMenu *menu, ReadingSession *session);
    // The preferences dialog on its layout page; every change shows at once.
    void showPreferences();
    // Shows the stored layout, as at start and after a reset.
    void applyStored();

    static int marginFor(const TypesetStyle &style, const QString &margins);

signals:
    void bookLayoutChanged(bool on);
    void spreadChanged(bool on);

private:
    Settings &m_settings;
    PageWidget *m_pageWidget;
    QWidget *m_dialogParent;
};

#endif
