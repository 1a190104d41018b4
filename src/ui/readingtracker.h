#ifndef READINGTRACKER_H
#define READINGTRACKER_H

#include <QObject>

class Library;
class QWidget;
class ReadingSession;
class ViewStack;

// Keeps the library told of the reading: the reader's place as it moves, and which book is
// being read, so its reading time runs only while the window is in front with the book on
// its reading page.
class ReadingTracker : public QObject
{
    Q_OBJECT

public:
    ReadingTracker(ReadingSession *session, Library *library, ViewStack *views, QWidget *window);

    // The window came to the front or went behind, or was minimised or restored.
    void updateBookInReading();

private:
    void keepPlace();

    ReadingSession *m_session;
    Library *m_library;
    ViewStack *m_views;
    QWidget *m_window;
};

#endif
