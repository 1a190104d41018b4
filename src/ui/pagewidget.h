#ifndef PAGEWIDGET_H
#define PAGEWIDGET_H

#include "chapterdetector.h"
#include "cleanuprule.h"
#include "pagedtext.h"
#include "readingdefaults.h"
#include "typesetstyle.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class BookLayout;
class PageCurl;
class SpreadCurl;
class QPropertyAnimation;
class ScriptConverter;

// Shows one page of the open book and turns pages with an animated page curl. It draws what
// it is told to: the main window keeps the reader's place and asks for turns. A turn asked
// for while another runs is kept (the latest request wins) and starts when the running one
// ends, so the page at rest is always the one most recently asked for.
class PageWidget : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(float flipProgress READ flipProgress WRITE setFlipProgress)

public:
    explicit PageWidget(QWidget *parent = nullptr);

    void setPages(const PagedText &pages);
    // More pages of the same book: the list grows, and the page on show and the turns asked
    // for stay as they are.
    void extendPages(const PagedText &pages);
    // The headings the pages on show were cut with, each starting a page and drawn bold; none
    // (the default) for pages cut without chapter breaks. Given anew with every page list
    // cut for another format.
    void setHeadings(const std::vector<Chapter> &headings);
    // The line ends the pages on show were set across in the book layout, sorted offsets in
    // their text. Given anew with every page list.
    void setJoinedLineEnds(const std::vector<qsizetype> &joinedLineEnds);
    // The clean-up rules the book layout draws the book with: those it was cut with.
    void setCleanupRules(const std::vector<CleanupRule> &rules);
    // Marks a stretch of a page, a search match, with a highlight behind its text; a page of
    // -1 for none. A stretch running over the page's end goes on on the pages after it.
    void setHighlight(int page, qsizetype start, qsizetype length);
    // Where the highlight lies on its page, or on another page it runs on to, in widget
    // coordinates.
    QList<QRectF> highlightRects() const { return highlightRects(m_highlight.page); }
    QList<QRectF> highlightRects(int page) const;
    void flipToPage(int index, bool forward);
    // Shows a page at rest at once, without a turn: the same place in a book cut anew.
    void showPage(int index);

    void setBackgroundColor(const QColor &color);
    QColor backgroundColor() const { return m_bgColor; }
    void setTextColor(const QColor &color);
    QColor textColor() const { return m_textColor; }
    void setTextFont(const QFont &font);
    // The script the pages are shown in; the page texts given stay as the book has them.
    void setTextConversion(std::shared_ptr<const ScriptConverter> converter);
    // How the pages are set; the book layout draws each character where BookLayout places it.
    void setTypesetStyle(const TypesetStyle &style);
    TypesetStyle typesetStyle() const { return m_style; }
    // Whether the pages were cut with chapters starting pages, which sets volume headings on
    // title pages of their own in the book layout.
    void setChaptersStartPages(bool on);
    // The margin around the text area on every side.
    void setTextMargin(int margin);
    // Whether a page area wide enough for two pages shows the page on show beside the next,
    // like an open book. The pages are then cut for one column: the text area is the left
    // page's.
    void setSpreadAllowed(bool allowed);
    bool showsSpread() const { return m_spread; }
    int pagesShown() const { return m_spread ? 2 : 1; }
    // Two pages fit a page area at least 1.3 times as wide as it is high, each page at least
    // MinimumSpreadPageWidth pixels wide.
    static bool fitsSpread(const QSize &size);
    static constexpr int MinimumSpreadPageWidth = 420;
    // Whether the page at rest carries a bookmark, shown as a ribbon in its top corner.
    void setBookmarked(bool bookmarked);
    bool isBookmarked() const { return m_bookmarked; }

    float flipProgress() const;
    void setFlipProgress(float progress);

    QFont textFont() const { return m_font; }
    // Where page text is drawn: the widget (or its left half, in a spread) less the margin on
    // every side.
    QRect textArea() const;
    // The page the widget shows once every requested turn has run.
    int restingPage() const;
    bool isTurning() const;

    static constexpr int TextMargin = 30;

signals:
    void textAreaResized();
    // The page area started or stopped showing two pages side by side.
    void pagesShownChanged(int pages);
    void typesetStyleChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct TurnRequest
    {
        int index;
        bool forward;
    };

    void showNothing();
    void startTurn(const TurnRequest &request);
    void startPendingTurn();
    void drawPage(QPainter &painter, int page);
    void drawBookmarkRibbon(QPainter &painter);
    // Draws a page's text in a text area, and in a spread the next page's beside it.
    void drawText(QPainter &painter, const QRect &area, int page, bool marked);
    void drawPageText(QPainter &painter, const QRect &area, int page, bool marked);
    void drawGutter(QPainter &painter);
    QList<QRectF> highlightRectsIn(int page, const QRect &area) const;
    void updateSpread();
    void drawOutgoingPage(QPainter &painter, const PageCurl &curl);
    void drawPageCurl(QPainter &painter, const PageCurl &curl);
    void drawSpreadTurn(QPainter &painter, const SpreadCurl &curl);
    void prepareTurnLayers();
    void prepareSpreadTurnLayers();
    void drawSpreadPages(QPainter &painter, int left, int right);
    QPixmap faceLayer(int page, const QRect &face);
    void dropTurnLayers();
    QPixmap layer(const QColor &ground, const std::function<void(QPainter &)> &draw) const;
    QColor sheetColor() const;
    QColor foldShadowColor() const;
    QColor backdropColor() const;
    bool isValidPage(int index) const;
    QStringView shownText(int page) const;
    // The start and length of the highlight's part on a page; a length of 0 for none.
    std::pair<qsizetype, qsizetype> highlightOn(int page) const;
    const BookLayout &bookLayout() const;

    PagedText m_pages;
    std::shared_ptr<const ScriptConverter> m_conversion;
    // The converted texts of the pages drawn lately; converting costs too much to repeat for
    // every frame of a turn.
    mutable QHash<int, QString> m_shownTexts;
    std::vector<Chapter> m_headings;
    std::vector<qsizetype> m_joinedLineEnds;
    std::vector<CleanupRule> m_cleanupRules;
    int m_currentPage = -1;
    int m_targetPage = -1;
    float m_flipProgress = 0.0f;
    QPropertyAnimation *m_flipAnimation = nullptr;
    bool m_flipForward = true;
    QColor m_bgColor = ReadingDefaults::PageColor;
    QColor m_textColor = Qt::black;
    QFont m_font;
    std::optional<TurnRequest> m_pendingTurn;
    struct Highlight
    {
        int page = -1;
        qsizetype start = 0;
        qsizetype length = 0;
    };
    Highlight m_highlight;
    bool m_bookmarked = false;
    TypesetStyle m_style;
    bool m_chaptersStartPages = true;
    int m_textMargin = TextMargin;
    bool m_spreadAllowed = false;
    bool m_spread = false;
    // Made for the font, text area and style it was last asked for.
    mutable std::shared_ptr<BookLayout> m_bookLayout;
    bool m_textPainted = false;

    // The pages of the running turn, drawn once for all its frames. In a spread the incoming
    // layer is the two halves lying still, and the sheet has a page on either face.
    struct TurnLayers
    {
        QPixmap incoming;
        QPixmap outgoing;
        QPixmap sheetText;
        QPixmap sheetFront;
        QPixmap sheetBack;
        bool isNull() const { return incoming.isNull(); }
    };
    TurnLayers m_turnLayers;
};

#endif
