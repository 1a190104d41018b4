#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "paginator.h"

#include <QColor>
#include <QFont>
#include <QMainWindow>
#include <QPoint>
#include <QStringList>
#include <QTranslator>

#include <optional>
#include <vector>

QT_BEGIN_NAMESPACE
namespace Ui {
class MainWindow;
}
QT_END_NAMESPACE

class BookshelfWidget;
class FileLoader;
class PageWidget;
class QMenu;

// The one window of the reader and the hub that wires the loader, the page widget, the
// bookshelf and the settings store together.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Opens this book instead of the newest one once the window is shown, putting it on the
    // shelf if it is new: the file a desktop hands the reader to open.
    void openAtStart(const QString &path);

    static constexpr int WindowWidth = 640;
    static constexpr int WindowHeight = 800;

public slots:
    void onFileLoaded(std::vector<QString> pages, QString filePath);
    void onOpenFile();
    void onNextPage();
    void onPrevPage();
    void updatePageLabel();
    void onJumpToPage();
    void onZoomIn();
    void onZoomOut();
    void onToggleBookshelf();
    void onSearchText();
    void onChangeBackgroundColor();
    void onCloseWindow();
    void onMinimizeWindow();
    void onToggleFullscreen();
    void onToggleSearchBar();
    void onChangeTextColor();
    void onChangeFont();
    void onBookSelectedByIndex(int index);
    void onBookSelectedByPath(QString filePath);
    void onOpenFolder();
    void onReadPage();
    void about();
    void resetApplication();
    void switchToChineseSimplified();
    void switchToChineseTraditional();
    void switchToEnglish();
    QStringList scanFolderRecursively(QString folderPath);
    void updateBookCountLabel();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void onPagesCut(std::vector<QString> pages, QString filePath);
    void receivePages(std::vector<QString> pages, const QString &filePath, bool complete);
    void showHeldPlace();
    QString pageStartingAt(qsizetype offset) const;
    bool canTurnPages() const;
    void onLoadFailed(const QString &filePath, const QString &reason);
    void onPagesRecut(std::vector<QString> pages, QString filePath);
    void repaginate();
    void zoomTo(int size);
    PageFormat pageFormat() const;
    void openBook(const QString &path);
    void openNewestBook();
    void showBookName(const QString &path);
    void turnTo(int page, bool forward);
    void addToBookList(const QString &path);
    void mergeSampleBooks();
    QStringList scanFolder(const QString &folderPath, QStringList &walk);
    bool isDragHandle(const QPoint &windowPosition) const;
    void loadSettings();
    void saveSettings();
    void saveWindowState();
    void switchLanguage(const QString &language);
    void loadSavedLanguage();
    void retranslateMenu();
    void showReadingState();
    void showMainMenu();

    Ui::MainWindow *ui;
    bool m_isDragging = false;
    QPoint m_dragStartPosition;
    QPoint m_windowStartPosition;
    FileLoader *m_fileLoader = nullptr;
    PageWidget *m_pageWidget = nullptr;
    BookshelfWidget *m_bookshelfWidget = nullptr;
    std::vector<QString> m_pages;
    int m_currentPage = 0;
    int m_fontSize = 14;
    QColor m_textColor = Qt::black;
    QFont m_font;
    QColor m_bgColor = QColor(250, 245, 235);
    QStringList m_recentFiles;
    QString m_currentFile;
    bool m_isFullscreen = false;
    bool m_isSearchBarVisible = false;
    QMenu *m_mainMenu = nullptr;
    QTranslator m_translator;
    QTranslator m_qtTranslator;
    QString m_currentLanguage = QStringLiteral("zh_CN");

    // The book whose pages are on show; differs from m_currentFile while another loads.
    QString m_shownFile;
    bool m_startupLoadIssued = false;
    QString m_startupBook;
    // The newest load has not shown a page yet.
    bool m_awaitingFirstPages = false;
    // All pages of the book on show have been cut.
    bool m_pagesComplete = true;
    // While the book is cut anew, where the reader is: the offset of the first character of
    // the page they were reading, in the text the pages were cut from.
    std::optional<qsizetype> m_heldOffset;
};

#endif
