#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "aboutdialog.h"
#include "appearancecontroller.h"
#include "bookmarkcontroller.h"
#include "bookshelfwidget.h"
#include "chapterrulecontroller.h"
#include "cleanuprulescontroller.h"
#include "contentscontroller.h"
#include "conversioncontroller.h"
#include "conversionmenu.h"
#include "languagecontroller.h"
#include "layoutcontroller.h"
#include "library.h"
#include "mainmenu.h"
#include "notice.h"
#include "pagepresenter.h"
#include "pagewidget.h"
#include "readeractions.h"
#include "readingsession.h"
#include "readingtracker.h"
#include "searchcontroller.h"
#include "shelfcontroller.h"
#include "themecontroller.h"
#include "viewstack.h"
#include "wheelturner.h"
#include "windowchrome.h"
#include "windowplacement.h"
#include "windowresizer.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , m_session(new ReadingSession(this))
    , m_library(new Library(QString(), this))
{
    ui->setupUi(this);
    m_pageWidget = new PageWidget(this);
    m_bookshelfWidget = new BookshelfWidget(this);
    m_mainMenu = new MainMenu(this);
    m_mainMenu->setChaptersStartPages(m_settings.chaptersStartPages());
    placeWidgets();
    addWindowChrome();
    m_actions = new ReaderActions(this);
    m_views = new ViewStack(ui->stackedWidget, ui->buttonGroup, this);
    m_views->addView(ViewStack::Reading, ui->page, ui->readButton);
    m_views->addView(ViewStack::Shelf, ui->page_2, ui->bookshelfButton);
    setFocusPolicy(Qt::StrongFocus);
    setFocus(Qt::OtherFocusReason);
    setAcceptDrops(true);
    m_library->open();
    m_library->follow(m_session->loader());

    addControllers();
    connectControls();
    connectActions();
    m_mainMenu->addAction((new ChapterRuleController(m_library, m_session, this, this))->action());
    m_mainMenu->addAction((new CleanupRulesController(m_library, m_session, m_pageWidget, this, this))->action());
    addBookActions();
    connectRetranslation();
    applyStoredLook();
    m_languages->switchTo(m_settings.language());
    m_shelf->showBookList();
    m_views->show(ViewStack::Reading);
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::placeWidgets()
{
    if (!ui->bookBox->layout())
        new QVBoxLayout(ui->bookBox);
    ui->bookBox->layout()->addWidget(m_pageWidget);
    ui->gridLayout->addWidget(m_bookshelfWidget);
}

// The transparent margin around the frame, where its shadow falls, is the resize grip.
void MainWindow::addWindowChrome()
{
    m_chrome = new WindowChrome(this, ui->frameMain, ui->headerFrame,
                                { ui->headerFrame, ui->frame_menu }, ui->fullscreenButton);
    new WindowResizer(this, ui->frameMain, ui->verticalLayout->contentsMargins().left());
    new WindowPlacement(this, m_settings.windowGeometry());
}

void MainWindow::addControllers()
{
    m_appearance = new AppearanceController(m_settings, m_pageWidget, m_session, this);
    m_conversion = new ConversionController(m_settings, m_library, m_session, m_pageWidget, this);
    m_mainMenu->addSeparator();
    m_mainMenu->addMenu(m_conversion->menu());
    m_layout = new LayoutController(m_settings, m_pageWidget, this);
    m_bookmarks = new BookmarkController(m_session, m_library, m_pageWidget,
                                         m_actions->action(ReaderActions::ToggleBookmark), this);
    m_presenter = new PagePresenter(m_session, m_pageWidget, m_views, m_conversion,
                                    { ui->bookName, ui->horizontalSpacer }, ui->m_pageLabel, this);
    m_search = new SearchController(m_session, m_pageWidget, m_views, m_conversion, m_presenter,
                                    { ui->frame_2, ui->searchEdit, ui->searchButton,
                                      ui->toggleSearchButton, ui->horizontalLayout_4 },
                                    this);
    m_contents = new ContentsController(m_session, m_views, m_conversion, m_presenter,
                                        { ui->buttonGroup, ui->verticalLayout_6, ui->bookshelfButton },
                                        this);
    m_shelf = new ShelfController(m_settings, m_library, m_session, m_bookshelfWidget, m_views,
                                  m_presenter, this);
    m_tracker = new ReadingTracker(m_session, m_library, m_views, this);
    m_languages = new LanguageController(m_settings, m_mainMenu, this);
    connect(&m_settings, &Settings::writeFailed, m_presenter->notice(), &Notice::show);
    if (m_settings.hasWriteFailed())
        QTimer::singleShot(0, m_presenter->notice(), [this] { m_presenter->notice()->show(Settings::writeFailureMessage()); });
    connect(m_library, &Library::undecodableBytesFound, m_presenter, &PagePresenter::reportUndecodableBytes);
}

void MainWindow::addThemes()
{
    m_themes = new ThemeController(m_settings, m_pageWidget, this);
    connect(m_themes, &ThemeController::themeChanged, m_mainMenu, &MainMenu::setTheme);
    connect(m_mainMenu, &MainMenu::themeChosen, m_themes, &ThemeController::choose);
    connect(m_appearance, &AppearanceController::pageColorsChosen, m_themes, &ThemeController::useCustomColors);
    m_themes->applyStored();
}

void MainWindow::connectControls()
{
    connect(ui->openButton, &QAbstractButton::clicked, m_shelf, &ShelfController::openFile);
    connect(ui->openFolderButton, &QAbstractButton::clicked, m_shelf, &ShelfController::openFolder);
    connect(ui->nextButton, &QAbstractButton::clicked, m_session, &ReadingSession::next);
    connect(ui->prevButton, &QAbstractButton::clicked, m_session, &ReadingSession::previous);
    connect(ui->jumpButton, &QAbstractButton::clicked, m_presenter, &PagePresenter::jumpToPage);
    connect(ui->zoomInButton, &QAbstractButton::clicked, m_appearance, &AppearanceController::zoomIn);
    connect(ui->zoomOutButton, &QAbstractButton::clicked, m_appearance, &AppearanceController::zoomOut);
    connect(ui->bookshelfButton, &QAbstractButton::clicked, m_shelf, &ShelfController::showShelf);
    connect(ui->colorButton, &QAbstractButton::clicked, m_appearance, &AppearanceController::chooseBackgroundColor);
    connect(ui->closeButton, &QAbstractButton::clicked, this, &QWidget::close);
    connect(ui->minimizeButton, &QAbstractButton::clicked, this, &QWidget::showMinimized);
    connect(ui->fullscreenButton, &QAbstractButton::clicked, m_chrome, &WindowChrome::toggleFullScreen);
    connect(ui->fontButton, &QAbstractButton::clicked, m_appearance, &AppearanceController::chooseFont);
    connect(ui->textColorButton, &QAbstractButton::clicked, m_appearance, &AppearanceController::chooseTextColor);
    connect(ui->readButton, &QAbstractButton::clicked, m_presenter, &PagePresenter::showReadingPage);
    connect(ui->menuButton, &QAbstractButton::clicked, this, &MainWindow::showMainMenu);
    connect(m_mainMenu, &MainMenu::resetChosen, this, &MainWindow::resetApplication);
    connect(m_mainMenu, &MainMenu::aboutChosen, this, &MainWindow::about);
    connect(m_mainMenu, &MainMenu::chaptersStartPagesToggled, m_appearance, &AppearanceController::setChaptersStartPages);
    connect(m_mainMenu, &MainMenu::bookLayoutToggled, m_layout, &LayoutController::setBookLayout);
    connect(m_mainMenu, &MainMenu::preferencesChosen, m_layout, &LayoutController::showPreferences);
    connect(m_layout, &LayoutController::bookLayoutChanged, m_mainMenu, &MainMenu::setBookLayout);
}

void MainWindow::connectActions()
{
    const auto on = [this](ReaderActions::Command command, auto *receiver, auto &&slot) {
        connect(m_actions->action(command), &QAction::triggered, receiver, slot);
    };
    on(ReaderActions::NextPage, m_session, &ReadingSession::next);
    on(ReaderActions::PreviousPage, m_session, &ReadingSession::previous);
    on(ReaderActions::FirstPage, m_session, &ReadingSession::first);
    on(ReaderActions::LastPage, m_session, &ReadingSession::last);
    on(ReaderActions::NextChapter, m_session, &ReadingSession::nextChapter);
    on(ReaderActions::PreviousChapter, m_session, &ReadingSession::previousChapter);
    on(ReaderActions::Find, m_search, &SearchController::showField);
    on(ReaderActions::FindNext, m_search, [this] { m_search->findAgain(false, true); });
    on(ReaderActions::FindPrevious, m_search, [this] { m_search->findAgain(true, true); });
    on(ReaderActions::ZoomIn, m_appearance, &AppearanceController::zoomIn);
    on(ReaderActions::ZoomOut, m_appearance, &AppearanceController::zoomOut);
    on(ReaderActions::FullScreen, m_chrome, &WindowChrome::toggleFullScreen);
    on(ReaderActions::Leave, this, &MainWindow::leave);
    on(ReaderActions::Bookshelf, m_shelf, &ShelfController::showShelf);
    on(ReaderActions::OpenFile, m_shelf, &ShelfController::openFile);
    on(ReaderActions::ToggleBookmark, m_bookmarks, &BookmarkController::toggleBookmark);
    on(ReaderActions::ShowBookmarks, m_bookmarks, &BookmarkController::showBookmarks);
    on(ReaderActions::ChooseEncoding, m_shelf, &ShelfController::chooseEncoding);

    auto *wheel = new WheelTurner(ui->page);
    connect(wheel, &WheelTurner::turnRequested, m_session, [this](bool forward) {
        if (forward)
            m_session->next();
        else
            m_session->previous();
    });
    connect(wheel, &WheelTurner::zoomRequested, m_appearance, [this](bool in) {
        if (in)
            m_appearance->zoomIn();
        else
            m_appearance->zoomOut();
    });
}

// What acts on the book on show is in the page's context menu and in the main menu.
void MainWindow::addBookActions()
{
    const QList<QAction *> actions{ m_actions->action(ReaderActions::ToggleBookmark),
                                    m_actions->action(ReaderActions::ShowBookmarks),
                                    m_actions->action(ReaderActions::ChooseEncoding) };
    m_pageWidget->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_pageWidget->addActions(actions);
    m_mainMenu->addBookActions(actions);
}

// The form's texts go first: they put the header and page label back to their blank state,
// which the presenter then fills in again.
void MainWindow::connectRetranslation()
{
    connect(m_languages, &LanguageController::retranslationNeeded, this, [this] { ui->retranslateUi(this); });
    connect(m_languages, &LanguageController::retranslationNeeded, m_contents, &ContentsController::retranslate);
    connect(m_languages, &LanguageController::retranslationNeeded, m_search, &SearchController::retranslate);
    connect(m_languages, &LanguageController::retranslationNeeded, m_presenter, &PagePresenter::retranslate);
}

void MainWindow::applyStoredLook()
{
    m_layout->applyStored();
    m_mainMenu->setBookLayout(m_layout->isBookLayout());
    m_layout->connectSpread(m_mainMenu, m_session);
    m_appearance->applyStored();
    addThemes();
    m_settings.writeAppearance();
}

// Esc leaves full screen first, then closes the search bar.
void MainWindow::leave()
{
    if (m_chrome->isFullScreen())
        m_chrome->toggleFullScreen();
    else
        m_search->closeBar();
}

void MainWindow::openAtStart(const QString &path)
{
    m_shelf->openAtStart(path);
}

void MainWindow::openFromOutside(const QString &path)
{
    if (!path.isEmpty())
        m_shelf->openFromOutside(path);
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void MainWindow::onOpenFile() { m_shelf->openFile(); }
void MainWindow::onOpenFolder() { m_shelf->openFolder(); }
void MainWindow::onNextPage() { m_session->next(); }
void MainWindow::onZoomIn() { m_appearance->zoomIn(); }
void MainWindow::onChangeFont() { m_appearance->chooseFont(); }
void MainWindow::onToggleBookshelf() { m_shelf->showShelf(); }
void MainWindow::onToggleFullscreen() { m_chrome->toggleFullScreen(); }
void MainWindow::onToggleSearchBar() { m_search->toggleBar(); }
void MainWindow::onCloseWindow() { close(); }
void MainWindow::onReadPage() { m_presenter->showReadingPage(); }
void MainWindow::onBookSelectedByIndex(int index) { m_shelf->openAt(index); }
void MainWindow::onBookSelectedByPath(const QString &filePath) { m_shelf->openFromShelf(filePath); }
void MainWindow::switchToChineseSimplified() { m_languages->switchTo(QStringLiteral("zh_CN")); }
void MainWindow::switchToChineseTraditional() { m_languages->switchTo(QStringLiteral("zh_TW")); }
void MainWindow::switchToEnglish() { m_languages->switchTo(QStringLiteral("en_US")); }

void MainWindow::about()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::showMainMenu()
{
    m_mainMenu->exec(ui->menuButton->mapToGlobal(QPoint(0, ui->menuButton->height())));
}

// Everything returns to how a first start finds it: no book, the default look, the
// Simplified Chinese interface; the store keeps only the language.
void MainWindow::resetApplication()
{
    const auto answer = QMessageBox::question(
            this, tr("确认重置"), tr("确定要重置应用程序吗？\n这将清除所有设置和书架上的全部书籍。"),
            QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;

    m_settings.reset();
    m_mainMenu->setChaptersStartPages(m_settings.chaptersStartPages());
    m_session->close();
    m_library->clear();
    m_layout->applyStored();
    m_mainMenu->setBookLayout(m_layout->isBookLayout());
    m_appearance->applyStored();
    m_conversion->applyStored();
    m_themes->applyStored();
    m_presenter->showNothingOpen();
    m_shelf->showBookList();
    m_languages->switchToDefault();
    QMessageBox::information(this, tr("重置完成"), tr("应用程序已重置为初始状态。"), QMessageBox::Ok);
}

// The pages are cut for the page area as it is shown, so the start book waits for the window
// to be laid out at its real size.
void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    QTimer::singleShot(0, m_shelf, &ShelfController::openStartBook);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_settings.recordWindowState(saveGeometry(), saveState(0), m_chrome->isFullScreen(),
                                 m_search->isBarVisible());
    m_library->flush();
    event->accept();
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && m_languages)
        m_languages->noteLanguageChange();
    if ((event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange) && m_tracker)
        m_tracker->updateBookInReading();
    QMainWindow::changeEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!ShelfController::droppedPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QStringList paths = ShelfController::droppedPaths(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    m_shelf->takeDrop(paths);
}
