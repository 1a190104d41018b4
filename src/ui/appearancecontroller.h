#ifndef APPEARANCECONTROLLER_H
#define APPEARANCECONTROLLER_H

#include <QObject>

class QTimer;
class PageWidget;
class QFont;
class QWidget;
class ReadingSession;
class Settings;
struct PageFormat;

// The look of the pages: font, size, text and page colours, and whether chapters start a
// page. Each change is stored as it is made and handed to the page widget, and the book on
// show is cut anew for it at the reader's place.
class AppearanceController : public QObject
{
    Q_OBJECT

public:
    AppearanceController(Settings &settings, PageWidget *pageWidget, ReadingSession *session,
                         QWidget *dialogParent);

    void zoomIn();
    void zoomOut();
    void chooseFont();
    void chooseTextColor();
    void chooseBackgroundColor();
    void setChaptersStartPages(bool on);
    // Shows the stored look, as at start and after a reset.
    void applyStored();
    void updateFormat();

signals:
    // The reader picked a colour of the page; both colours on show are stored.
    void pageColorsChosen();

private:
    void followTextArea();
    void storePageColors();
    void zoomBy(int step);
    void applyReadingFont(const QFont &font);
    PageFormat pageFormat() const;

    Settings &m_settings;
    PageWidget *m_pageWidget;
    ReadingSession *m_session;
    QWidget *m_dialogParent;
    QTimer *m_resizeSettling;
    bool m_resizedWhileSettling = false;
};

#endif
