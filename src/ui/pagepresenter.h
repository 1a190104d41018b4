#ifndef PAGEPRESENTER_H
#define PAGEPRESENTER_H

#include <QObject>
#include <QString>

class ConversionController;
class Notice;
class PageWidget;
class QLabel;
class QSpacerItem;
class QWidget;
class ReadingSession;
class ViewStack;

// Puts the session's book in front of the reader: its pages into the page widget, the page
// label, jumping to a page, and telling of a book that cannot be opened. It is the one writer
// of the header, which names the book and chapter on show, or the shelf's size while the
// shelf is shown.
class PagePresenter : public QObject
{
    Q_OBJECT

public:
    struct Header
    {
        QLabel *label;
        // The room right of the label the title may grow into.
        QSpacerItem *room;
    };

    PagePresenter(ReadingSession *session, PageWidget *pageWidget, ViewStack *views,
                  ConversionController *conversion, Header header, QLabel *pageLabel,
                  QWidget *dialogParent);

    // Shows the reading page and names the book on show, or the book being opened.
    void showReadingPage();
    void updatePageLabel();
    // Marks the page label while a book the reader asked for is read.
    void showLoading();
    void jumpToPage();

    void showBookName(const QString &path);
    void showCurrentChapter();
    // The shelf now holds this many books; the header tells so.
    void showShelfSize(int count);
    void showNothingOpen();
    // Puts the texts back after the interface's language changed.
    void retranslate();

    void reportOpenFailure(const QString &path, const QString &reason);
    // A book read as UTF-8 but for a few damaged bytes is shown, and the reader told once.
    void reportUndecodableBytes(const QString &path, qsizetype count);
    // The line over the page that tells the reader of something without stopping them.
    Notice *notice() const { return m_notice; }

private:
    // The number of the reader's page for the page label, "12–13" while a spread shows the
    // next page beside it.
    QString shownPageNumbers() const;
    void connectSession();
    void showBook();
    void showPagesInPlace();
    void showHeadings();
    void writeHeader(const QString &text);

    ReadingSession *m_session;
    PageWidget *m_pageWidget;
    ViewStack *m_views;
    ConversionController *m_conversion;
    Header m_header;
    QLabel *m_pageLabel;
    QWidget *m_dialogParent;
    Notice *m_notice;
    int m_shelfSize = 0;
};

#endif
