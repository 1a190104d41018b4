#ifndef LAYOUTCONTROLLER_H
#define LAYOUTCONTROLLER_H

#include "typesetstyle.h"

#include <QObject>
#include <QString>

class PageWidget;
class QWidget;
class Settings;

// How the pages are set: the original layout or the book layout with its spacing, indent,
// margins and justification. Each change is stored as it is made and handed to the page
// widget, whose new text area or style has the book on show cut anew at the reader's place.
class LayoutController : public QObject
{
    Q_OBJECT

public:
    LayoutController(Settings &settings, PageWidget *pageWidget, QWidget *dialogParent);

    bool isBookLayout() const;
    void setBookLayout(bool on);
    void setLayout(const TypesetStyle &style, const QString &margins);
    // The preferences dialog on its layout page; every change shows at once.
    void showPreferences();
    // Shows the stored layout, as at start and after a reset.
    void applyStored();

    static int marginFor(const TypesetStyle &style, const QString &margins);

signals:
    void bookLayoutChanged(bool on);

private:
    Settings &m_settings;
    PageWidget *m_pageWidget;
    QWidget *m_dialogParent;
};

#endif
