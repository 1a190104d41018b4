#ifndef SEARCHCONTROLLER_H
#define SEARCHCONTROLLER_H

#include <QObject>

class ConversionController;
class PagePresenter;
class PageWidget;
class QAbstractButton;
class QBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;
class ReadingSession;
class SearchResultsList;
class ViewStack;

// Searching the book on show: the search bar and its keys, the next and previous match, the
// match marked on its page, and the list of every match. A search from the keys tells of a
// wrap quietly, one from the bar with a message.
class SearchController : public QObject
{
    Q_OBJECT

public:
    struct Bar
    {
        QWidget *frame;
        QLineEdit *edit;
        QAbstractButton *findButton;
        QAbstractButton *toggleButton;
        // Where the button that lists every match goes.
        QBoxLayout *buttons;
    };

    SearchController(ReadingSession *session, PageWidget *pageWidget, ViewStack *views,
                     ConversionController *conversion, PagePresenter *presenter, Bar bar,
                     QWidget *window);

    bool isBarVisible() const { return m_barVisible; }
    void toggleBar();
    // Shows the bar if hidden and puts the cursor in it.
    void showField();
    // Closes the bar; false if it was not open.
    bool closeBar();
    void findFromBar();
    void findAgain(bool backward, bool quietly);
    void showAllResults();
    void retranslate();

private:
    void addBackwardKeys();
    void addResultsList();
    void tellWrapped();
    void tellNotFound(const QString &text);
    void showMatch();
    void openResult(qsizetype offset, qsizetype length);
    QString wantedText() const;

    ReadingSession *m_session;
    PageWidget *m_pageWidget;
    ViewStack *m_views;
    ConversionController *m_conversion;
    PagePresenter *m_presenter;
    Bar m_bar;
    QWidget *m_window;
    SearchResultsList *m_results = nullptr;
    QPushButton *m_allResultsButton = nullptr;
    bool m_barVisible = false;
    bool m_quiet = false;
};

#endif
