#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "settings.h"

#include <QMainWindow>

QT_BEGIN_NAMESPACE
namespace Ui {
class MainWindow;
}
QT_END_NAMESPACE

class AppearanceController;
class BookmarkController;
class BookshelfWidget;
class ContentsController;
class ConversionController;
class LanguageController;
class LayoutController;
class Library;
class MainMenu;
class PagePresenter;
class PageWidget;
class ReaderActions;
class ReadingSession;
class ReadingTracker;
class SearchController;
class ShelfController;
class ThemeController;
class ViewStack;
class WindowChrome;

// The one window of the reader. It builds the form, composes the controllers that each own
// a feature of it, and keeps the window's own events: showing, closing and changing.
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
    void onOpenFolder();
    void onNextPage();
    void onZoomIn();
    void onChangeFont();
    void onToggleBookshelf();
    void onToggleFullscreen();
    void onToggleSearchBar();
    void onCloseWindow();
    void onReadPage();
    void onBookSelectedByIndex(int index);
    void onBookSelectedByPath(const QString &filePath);
    void resetApplication();
    void switchToChineseSimplified();
    void switchToChineseTraditional();
    void switchToEnglish();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void placeWidgets();
    void addWindowChrome();
    void addControllers();
    void addThemes();
    void connectControls();
    void connectActions();
    void addBookActions();
    void connectRetranslation();
    void applyStoredLook();
    void leave();
    void about();
    void showMainMenu();

    Ui::MainWindow *ui;
    Settings m_settings;
    ReadingSession *m_session;
    Library *m_library;
    PageWidget *m_pageWidget;
    BookshelfWidget *m_bookshelfWidget;
    MainMenu *m_mainMenu;
    ReaderActions *m_actions;
    ViewStack *m_views;
    WindowChrome *m_chrome = nullptr;
    AppearanceController *m_appearance = nullptr;
    ConversionController *m_conversion = nullptr;
    LayoutController *m_layout = nullptr;
    ThemeController *m_themes = nullptr;
    BookmarkController *m_bookmarks = nullptr;
    PagePresenter *m_presenter = nullptr;
    SearchController *m_search = nullptr;
    ContentsController *m_contents = nullptr;
    ShelfController *m_shelf = nullptr;
    ReadingTracker *m_tracker = nullptr;
    LanguageController *m_languages = nullptr;
};

#endif
