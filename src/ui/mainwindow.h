#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "booklist.h"
#include "paginator.h"
#include "settings.h"

#include <QMainWindow>
#include <QStringList>

#include <optional>


QT_BEGIN_NAMESPACE
namespace Ui {
class MainWindow;
}
QT_END_NAMESPACE

class AppearanceController;
class ConversionController;
class LayoutController;
class BookmarkController;
class BookFingerprint;
class BookshelfWidget;
class ContentsPage;
class QPushButton;
class SearchResultsList;
class ThemeController;
class QAbstractButton;
class LanguageManager;
class Library;
class MainMenu;
class Notice;
class PageWidget;
class ReaderActions;
class ViewStack;
class ReadingSession;
class WindowChrome;

// The one window of the reader. It composes the reading session, the page widget, the
// bookshelf, the settings and the window's chrome, and wires the form's controls to them.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Opens this book instead of the newest one once the window is shown, putting it on the
    // shelf if it is new: the file a desktop hands the reader to open.
    void openAtStart(const QString &path);
    // Opens a book handed over by another start of the program and comes to the front.
    void openFromOutside(const QString &path);

public slots:
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
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void connectControls();
    void connectActions();
    void addBookActions();
    void addWindowChrome();
    void addThemes();
    void leave();
    void showSearchField();
    void connectSession();
    void showBook(const QString &path);
    void showPagesInPlace();
    void onOpenFailed(const QString &path, const QString &reason);
    void reportUnreadableBytes(const QString &path, const BookFingerprint &fingerprint,
                               const QString &encoding, qsizetype count);
    void openBook(const QString &path);
    void openNewestBook();
    void showBookName(const QString &path);
    void addBooks(const QStringList &paths);
    void showBookList();
    void switchLanguage(const QString &language);
    void showReadingState();
    void showMainMenu();
    void showEmptyReadingPage();
    void addContentsPage();
    void showContents();
    void openChapter(int chapter);
    void showChapters();
    void showCurrentChapter();
    void addSearchKeys();
    void findAgain(bool backward, bool quietly);
    void onSearchWrapped();
    void showMatch();
    void addSearchResults();
    void showAllResults();
    void openResult(qsizetype offset, qsizetype length);
    void connectLibrary();
    void keepPlace();
    void updateBookInReading();
    void showLibraryNotice();
    void chooseEncoding();
    void reopenInEncoding(const QByteArray &encoding);
    void showShelfMenu(const QString &path, const QPoint &globalPos);
    void removeFromShelf(const QString &path);
    void offerToRemoveBook(const QString &path);
    void showBookProperties(const QString &path);
    void offerToRemoveMissingBook(const QString &path);
    void addFolder(const QString &folder);
    void addDroppedBooks(const QStringList &paths);

    Ui::MainWindow *ui;
    Settings m_settings;
    BookList m_bookList;
    ReadingSession *m_session;
    AppearanceController *m_appearance;
    ConversionController *m_conversion;
    ThemeController *m_themes;
    LayoutController *m_layout;
    BookmarkController *m_bookmarks;
    ReaderActions *m_actions;
    ViewStack *m_views;
    Library *m_library;
    PageWidget *m_pageWidget;
    BookshelfWidget *m_bookshelfWidget;
    LanguageManager *m_languages;
    MainMenu *m_mainMenu;
    WindowChrome *m_chrome;
    Notice *m_notice;
    ContentsPage *m_contentsPage;
    QAbstractButton *m_contentsButton;
    bool m_quietSearch = false;
    SearchResultsList *m_searchResults;
    QPushButton *m_allResultsButton;
    bool m_isSearchBarVisible = false;
    bool m_startupLoadIssued = false;
    QString m_startupBook;
    QString m_missingStartupBook;
    QString m_startupProblem;
    // How many books the folder scan last cancelled had found.
    std::optional<int> m_cancelledScanFound;
    QString m_translatedLanguage;
    bool m_libraryNoticeShown = false;
};

#endif
