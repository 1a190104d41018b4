#ifndef CONTENTSCONTROLLER_H
#define CONTENTSCONTROLLER_H

#include <QObject>

class ContentsPage;
class ConversionController;
class PagePresenter;
class QAbstractButton;
class QBoxLayout;
class QButtonGroup;
class QWidget;
class ReadingSession;
class ViewStack;

// The book's contents as a view of the window: the page listing the chapters in the script on
// show, its button in the left strip, and going to the chapter the reader chooses.
class ContentsController : public QObject
{
    Q_OBJECT

public:
    struct Strip
    {
        QButtonGroup *buttons;
        QBoxLayout *layout;
        // The new button goes right under this one and takes its icon size.
        QAbstractButton *above;
    };

    ContentsController(ReadingSession *session, ViewStack *views, ConversionController *conversion,
                       PagePresenter *presenter, Strip strip, QWidget *window);

    void showContents();
    void retranslate();

private:
    QAbstractButton *addButton(Strip strip);
    void showChapters();
    void openChapter(int chapter);

    ReadingSession *m_session;
    ViewStack *m_views;
    ConversionController *m_conversion;
    PagePresenter *m_presenter;
    QWidget *m_window;
    ContentsPage *m_page;
    QAbstractButton *m_button;
};

#endif
