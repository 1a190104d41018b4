#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "aboutdialog.h"
#include "appearancecontroller.h"
#include "bookfilereader.h"
#include "bookmarkcontroller.h"
#include "bookpropertiesdialog.h"
#include "encodingdialog.h"
#include "bookshelfwidget.h"
#include "contentspage.h"
#include "chapterrulecontroller.h"
#include "conversioncontroller.h"
#include "conversionmenu.h"
#include "fileloader.h"
#include "folderscanner.h"
#include "languagemanager.h"
#include "layoutcontroller.h"
#include "library.h"
#include "librarydatabase.h"
#include "mainmenu.h"
#include "notice.h"
#include "pagewidget.h"
#include "readeractions.h"
#include "readingsession.h"
#include "searchresultslist.h"
#include "shelfcontextmenu.h"
#include "themecontroller.h"
#include "viewstack.h"
#include "wheelturner.h"
#include "windowchrome.h"
#include "windowplacement.h"
#include "windowresizer.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>

namespace {

// A scan that ends sooner shows no progress line.
constexpr int ScanProgressDelayMs = 400;
const QString ChapterSeparator = QStringLiteral(" · ");

QString bookTitle(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

// The local files and folders among dropped URLs that can become books.
QStringList droppedPaths(const QMimeData *data)
{
    QStringList paths;
    for (const QUrl &url : data->urls()) {
        const QFileInfo entry(url.toLocalFile());
        if (url.isLocalFile() && (entry.isDir() || entry.suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0))
            paths.append(entry.absoluteFilePath());
    }
    return paths;
}

}

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , m_bookList(m_settings)
    , m_session(new ReadingSession(this))
    , m_library(new Library(QString(), this))
{
    ui->setupUi(this);
    m_pageWidget = new PageWidget(this);
    m_bookshelfWidget = new BookshelfWidget(this);
    m_languages = new LanguageManager(this);
    m_mainMenu = new MainMenu(this);
    m_mainMenu->setChaptersStartPages(m_settings.chaptersStartPages());
    m_notice = new Notice(m_pageWidget);
    if (!ui->bookBox->layout())
        new QVBoxLayout(ui->bookBox);
    ui->bookBox->layout()->addWidget(m_pageWidget);
    ui->gridLayout->addWidget(m_bookshelfWidget);
    addWindowChrome();
    m_appearance = new AppearanceController(m_settings, m_pageWidget, m_session, this);
    m_conversion = new ConversionController(m_settings, m_library, m_session, m_pageWidget, this);
    m_mainMenu->addSeparator();
    m_mainMenu->addMenu(m_conversion->menu());
    m_layout = new LayoutController(m_settings, m_pageWidget, this);
    m_actions = new ReaderActions(this);
    m_bookmarks = new BookmarkController(m_session, m_library, m_pageWidget,
                                         m_actions->action(ReaderActions::ToggleBookmark), this);
    m_views = new ViewStack(ui->stackedWidget, ui->buttonGroup, this);
    m_views->addView(ViewStack::Reading, ui->page, ui->readButton);
    m_views->addView(ViewStack::Shelf, ui->page_2, ui->bookshelfButton);
    setFocusPolicy(Qt::StrongFocus);
    setFocus(Qt::OtherFocusReason);
    addContentsPage();
    addSearchKeys();
    addSearchResults();
    setAcceptDrops(true);

    connectControls();
    connectActions();
    m_mainMenu->addAction((new ChapterRuleController(m_library, m_session, this, this))->action());
    addBookActions();
    connectSession();
    connectLibrary();

    updatePageLabel();
    m_layout->applyStored();
    m_mainMenu->setBookLayout(m_layout->isBookLayout());
    m_appearance->applyStored();
    addThemes();
    ui->frame_2->setVisible(false);
    m_bookList.mergeSampleBooks();
    m_settings.writeAppearance();
    switchLanguage(m_settings.language());
    showBookList();
    m_views->show(ViewStack::Reading);
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::connectControls()
{
    connect(ui->openButton, &QAbstractButton::clicked, this, &MainWindow::onOpenFile);
    connect(ui->openFolderButton, &QAbstractButton::clicked, this, &MainWindow::onOpenFolder);
    connect(ui->nextButton, &QAbstractButton::clicked, this, &MainWindow::onNextPage);
    connect(ui->prevButton, &QAbstractButton::clicked, this, &MainWindow::onPrevPage);
    connect(ui->jumpButton, &QAbstractButton::clicked, this, &MainWindow::onJumpToPage);
    connect(ui->zoomInButton, &QAbstractButton::clicked, m_appearance, &AppearanceController::zoomIn);
    connect(ui->zoomOutButton, &QAbstractButton::clicked, m_appearance, &AppearanceController::zoomOut);
    connect(ui->bookshelfButton, &QAbstractButton::clicked, this, &MainWindow::onToggleBookshelf);
    connect(ui->searchButton, &QAbstractButton::clicked, this, &MainWindow::onSearchText);
    connect(ui->searchEdit, &QLineEdit::returnPressed, this, &MainWindow::onSearchText);
    connect(ui->colorButton, &QAbstractButton::clicked, m_appearance, &AppearanceController::chooseBackgroundColor);
    connect(ui->closeButton, &QAbstractButton::clicked, this, &MainWindow::onCloseWindow);
    connect(ui->minimizeButton, &QAbstractButton::clicked, this, &MainWindow::onMinimizeWindow);
    connect(ui->fullscreenButton, &QAbstractButton::clicked, this, &MainWindow::onToggleFullscreen);
    connect(ui->toggleSearchButton, &QAbstractButton::clicked, this, &MainWindow::onToggleSearchBar);
    connect(ui->fontButton, &QAbstractButton::clicked, m_appearance, &AppearanceController::chooseFont);
    connect(ui->textColorButton, &QAbstractButton::clicked, m_appearance, &AppearanceController::chooseTextColor);
    connect(ui->readButton, &QAbstractButton::clicked, this, &MainWindow::onReadPage);
    connect(ui->menuButton, &QAbstractButton::clicked, this, &MainWindow::showMainMenu);
    connect(m_mainMenu, &MainMenu::languageChosen, this, &MainWindow::switchLanguage);
    connect(m_mainMenu, &MainMenu::resetChosen, this, &MainWindow::resetApplication);
    connect(m_mainMenu, &MainMenu::aboutChosen, this, &MainWindow::about);
    connect(m_bookshelfWidget, &BookshelfWidget::bookSelected, this, &MainWindow::onBookSelectedByPath);
    connect(m_mainMenu, &MainMenu::chaptersStartPagesToggled, m_appearance, &AppearanceController::setChaptersStartPages);
    connect(m_mainMenu, &MainMenu::bookLayoutToggled, m_layout, &LayoutController::setBookLayout);
    connect(m_mainMenu, &MainMenu::preferencesChosen, m_layout, &LayoutController::showPreferences);
    connect(m_layout, &LayoutController::bookLayoutChanged, m_mainMenu, &MainMenu::setBookLayout);
    connect(m_contentsPage, &ContentsPage::chapterChosen, this, &MainWindow::openChapter);
    connect(m_conversion, &ConversionController::conversionChanged, this, &MainWindow::showChapters);
}

void MainWindow::connectActions()
{
    const auto on = [this](ReaderActions::Command command, auto &&slot) {
        connect(m_actions->action(command), &QAction::triggered, this, slot);
    };
    on(ReaderActions::NextPage, [this] { m_session->next(); });
    on(ReaderActions::PreviousPage, [this] { m_session->previous(); });
    on(ReaderActions::FirstPage, [this] { m_session->first(); });
    on(ReaderActions::LastPage, [this] { m_session->last(); });
    on(ReaderActions::NextChapter, [this] { m_session->nextChapter(); });
    on(ReaderActions::PreviousChapter, [this] { m_session->previousChapter(); });
    on(ReaderActions::Find, &MainWindow::showSearchField);
    on(ReaderActions::FindNext, [this] { findAgain(false, true); });
    on(ReaderActions::FindPrevious, [this] { findAgain(true, true); });
    on(ReaderActions::ZoomIn, &MainWindow::onZoomIn);
    on(ReaderActions::ZoomOut, &MainWindow::onZoomOut);
    on(ReaderActions::FullScreen, &MainWindow::onToggleFullscreen);
    on(ReaderActions::Leave, &MainWindow::leave);
    on(ReaderActions::Bookshelf, &MainWindow::onToggleBookshelf);
    on(ReaderActions::OpenFile, &MainWindow::onOpenFile);
    connect(m_actions->action(ReaderActions::ToggleBookmark), &QAction::triggered, m_bookmarks,
            &BookmarkController::toggleBookmark);
    connect(m_actions->action(ReaderActions::ShowBookmarks), &QAction::triggered, m_bookmarks,
            &BookmarkController::showBookmarks);
    on(ReaderActions::ChooseEncoding, &MainWindow::chooseEncoding);

    auto *wheel = new WheelTurner(ui->page);
    connect(wheel, &WheelTurner::turnRequested, this, [this](bool forward) {
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

// The transparent margin around the frame, where its shadow falls, is the resize grip.
void MainWindow::addWindowChrome()
{
    m_chrome = new WindowChrome(this, ui->frameMain, ui->headerFrame,
                                { ui->headerFrame, ui->frame_menu }, ui->fullscreenButton);
    new WindowResizer(this, ui->frameMain, ui->verticalLayout->contentsMargins().left());
    new WindowPlacement(this, m_settings.windowGeometry());
}

void MainWindow::addThemes()
{
    m_themes = new ThemeController(m_settings, m_pageWidget, this);
    connect(m_themes, &ThemeController::themeChanged, m_mainMenu, &MainMenu::setTheme);
    connect(m_mainMenu, &MainMenu::themeChosen, m_themes, &ThemeController::choose);
    connect(m_appearance, &AppearanceController::pageColorsChosen, m_themes, &ThemeController::useCustomColors);
    m_themes->applyStored();
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

// Esc leaves full screen first, then closes the search bar.
void MainWindow::leave()
{
    if (m_chrome->isFullScreen())
        onToggleFullscreen();
    else if (m_isSearchBarVisible)
        onToggleSearchBar();
}

void MainWindow::showSearchField()
{
    if (m_isSearchBarVisible)
        ui->searchEdit->setFocus(Qt::OtherFocusReason);
    else
        onToggleSearchBar();
}

void MainWindow::connectSession()
{
    connect(m_session, &ReadingSession::bookShown, this, &MainWindow::showBook);
    connect(m_session, &ReadingSession::pagesReplaced, this, &MainWindow::showPagesInPlace);
    connect(m_session, &ReadingSession::pagesExtended, this,
            [this] { m_pageWidget->extendPages(m_session->pages()); });
    connect(m_session, &ReadingSession::pageTurned, m_pageWidget, &PageWidget::flipToPage);
    connect(m_session, &ReadingSession::positionChanged, this, &MainWindow::updatePageLabel);
    connect(m_session, &ReadingSession::positionChanged, this, &MainWindow::showCurrentChapter);
    connect(m_session, &ReadingSession::chaptersChanged, this, &MainWindow::showChapters);
    connect(m_session, &ReadingSession::openFailed, this, &MainWindow::onOpenFailed);
    connect(m_session, &ReadingSession::closed, this, &MainWindow::showEmptyReadingPage);
    connect(m_session->loader(), &FileLoader::bookDecoded, this, &MainWindow::reportUnreadableBytes);
    connect(m_session, &ReadingSession::searchWrapped, this, &MainWindow::onSearchWrapped);
    connect(m_session, &ReadingSession::matchChanged, this, &MainWindow::showMatch);
    connect(m_session, &ReadingSession::pagesReplaced, this, &MainWindow::showMatch);
    connect(m_session, &ReadingSession::bookShown, this, &MainWindow::showMatch);
    connect(m_session, &ReadingSession::textNotFound, this, [this](const QString &text) {
        QMessageBox::information(this, tr("搜索"), tr("未找到文本: %1").arg(text), QMessageBox::Ok,
                                 QMessageBox::NoButton);
    });
}

// ---- The library's memory ------------------------------------------------------------

void MainWindow::connectLibrary()
{
    m_library->open();
    connect(m_library->database(), &LibraryDatabase::statusChanged, this, &MainWindow::showLibraryNotice);
    connect(&m_settings, &Settings::writeFailed, m_notice, &Notice::show);
    connect(m_session->loader(), &FileLoader::bookDecoded, m_library, &Library::noteDecoded);
    connect(m_session->loader(), &FileLoader::anchorsFound, m_library, &Library::noteAnchors);
    connect(m_session, &ReadingSession::positionChanged, this, &MainWindow::keepPlace);
    connect(m_session, &ReadingSession::bookShown, this, &MainWindow::updateBookInReading);
    connect(m_session, &ReadingSession::closed, this, &MainWindow::updateBookInReading);
    connect(m_views, &ViewStack::viewChanged, this, &MainWindow::updateBookInReading);
    connect(m_bookshelfWidget, &BookshelfWidget::bookMenuRequested, this, &MainWindow::showShelfMenu);
    connect(m_library, &Library::movedBookFound, this, [this](const QString &path, const BookRecord &record) {
        if (m_session->openingBook() == path)
            m_session->open(path, record.place, record.encodingOverride.toLatin1(), record.anchor,
                            record.fingerprint);
    });
}

void MainWindow::keepPlace()
{
    if (m_session->state() != ReadingSession::State::Empty)
        m_library->keepPlace(m_session->book(), m_session->place(), m_session->textLength());
}

// Reading time runs while the window is in front with a book on its reading page.
void MainWindow::updateBookInReading()
{
    const bool reading = isActiveWindow() && !isMinimized()
        && m_views->current() == ViewStack::Reading
        && m_session->state() != ReadingSession::State::Empty;
    m_library->setBookInReading(reading ? m_session->book() : QString());
}

// Told once, without stopping the reader: the reader works on without memory.
void MainWindow::showLibraryNotice()
{
    const QString message = m_library->database()->statusMessage();
    if (message.isEmpty() || std::exchange(m_libraryNoticeShown, true))
        return;
    auto *box = new QMessageBox(QMessageBox::Warning, tr("书库"), message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

// The reader's choice holds for every later opening of the book.
void MainWindow::chooseEncoding()
{
    if (m_session->state() == ReadingSession::State::Empty)
        return;
    const QByteArray detected = m_library->recordFor(m_session->book()).encoding.toLatin1();
    EncodingDialog dialog(detected, m_session->encoding(), this);
    if (dialog.exec() == QDialog::Accepted && dialog.chosenEncoding() != m_session->encoding())
        reopenInEncoding(dialog.chosenEncoding());
}

void MainWindow::reopenInEncoding(const QByteArray &encoding)
{
    m_library->setEncodingOverride(m_session->book(), QString::fromLatin1(encoding));
    m_session->open(m_session->book(), m_session->place(), encoding);
}

void MainWindow::showShelfMenu(const QString &path, const QPoint &globalPos)
{
    auto *menu = new ShelfContextMenu(path, m_settings.shelfOrder() == Settings::ShelfOrder::LastRead, this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu, &ShelfContextMenu::openChosen, this, &MainWindow::onBookSelectedByPath);
    connect(menu, &ShelfContextMenu::removeChosen, this, &MainWindow::offerToRemoveBook);
    connect(menu, &ShelfContextMenu::showInFolderChosen, this, [](const QString &book) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(book).absolutePath()));
    });
    connect(menu, &ShelfContextMenu::propertiesChosen, this, &MainWindow::showBookProperties);
    connect(menu, &ShelfContextMenu::lastReadFirstToggled, this, [this](bool on) {
        m_settings.setShelfOrder(on ? Settings::ShelfOrder::LastRead : Settings::ShelfOrder::Added);
        showBookList();
    });
    menu->popup(globalPos);
}

// The file stays where it is, and so does the library's record of it (place, bookmarks,
// reading time): the book is only hidden, and a book added again is read on where it was.
void MainWindow::removeFromShelf(const QString &path)
{
    m_bookList.remove(path);
    showBookList();
}

void MainWindow::offerToRemoveBook(const QString &path)
{
    const auto answer = QMessageBox::question(
            this, tr("从书架移除"),
            tr("要把“%1”从书架上移除吗？\n文件不会删除；阅读位置和书签会保留，再次添加这本书时恢复。")
                    .arg(BookshelfWidget::shelfTitle(path)),
            QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        removeFromShelf(path);
}

void MainWindow::showBookProperties(const QString &path)
{
    BookPropertiesDialog dialog(path, m_library->recordFor(path), this);
    dialog.exec();
}

void MainWindow::offerToRemoveMissingBook(const QString &path)
{
    const auto answer = QMessageBox::question(
            this, tr("文件不存在"),
            tr("“%1”已不存在。\n要把它从书架上移除吗？阅读位置和书签会保留。").arg(QDir::toNativeSeparators(path)),
            QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        removeFromShelf(path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QStringList paths = droppedPaths(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    // The drag's source waits for the drop to return; the books are taken in afterwards.
    QTimer::singleShot(0, this, [this, paths] { addDroppedBooks(paths); });
}

// Dropped books join the shelf and the first is opened; dropped folders are scanned.
void MainWindow::addDroppedBooks(const QStringList &paths)
{
    QStringList books;
    for (const QString &path : paths) {
        if (QFileInfo(path).isDir())
            addFolder(path);
        else
            books.append(path);
    }
    if (books.isEmpty())
        return;
    addBooks(books);
    openBook(books.first());
    m_views->show(ViewStack::Reading);
}

// ---- Reading -------------------------------------------------------------------------

void MainWindow::showBook(const QString &)
{
    m_pageWidget->setHeadings(m_session->pageHeadings());
    m_pageWidget->setJoinedLineEnds(m_session->pageJoinedLineEnds());
    m_pageWidget->setPages(m_session->pages());
    m_pageWidget->flipToPage(m_session->page(), true);
}

void MainWindow::showPagesInPlace()
{
    m_pageWidget->setHeadings(m_session->pageHeadings());
    m_pageWidget->setJoinedLineEnds(m_session->pageJoinedLineEnds());
    m_pageWidget->setPages(m_session->pages());
    m_pageWidget->showPage(m_session->page());
}

// A book that is UTF-8 but for a few damaged bytes is shown, and the reader told once.
void MainWindow::reportUnreadableBytes(const QString &path, const BookFingerprint &, const QString &,
                                       qsizetype count)
{
    if (count > 0 && path == m_session->openingBook())
        m_notice->show(tr("“%1”中有 %2 个字节无法识别，已显示为 �。").arg(bookTitle(path)).arg(count));
}

void MainWindow::showEmptyReadingPage()
{
    m_pageWidget->setPages({});
}

// The book still on show stays on show, and the header returns to it.
void MainWindow::onOpenFailed(const QString &path, const QString &reason)
{
    if (m_session->book().isEmpty())
        updateBookCountLabel();
    else
        showBookName(m_session->book());
    QMessageBox::warning(this, tr("无法打开书籍"),
                         tr("无法打开“%1”：\n%2").arg(QDir::toNativeSeparators(path), reason),
                         QMessageBox::Ok, QMessageBox::NoButton);
}

void MainWindow::onNextPage()
{
    m_session->next();
}

void MainWindow::onPrevPage()
{
    m_session->previous();
}

// While a book is still being cut, its page count is marked as a lower bound; while only the
// pages from the reader's place are cut, the page's number is not known yet.
void MainWindow::updatePageLabel()
{
    if (!m_session->isPageNumberKnown()) {
        ui->m_pageLabel->setText(tr("第 ? 页"));
        return;
    }
    const QString label = m_session->isComplete() ? tr("第 %1 页/共 %2 页") : tr("第 %1 页/共 %2+ 页");
    ui->m_pageLabel->setText(label.arg(m_session->pageNumber()).arg(m_session->pageCount()));
}

void MainWindow::onJumpToPage()
{
    const int count = m_session->pageCount();
    if (count == 0 || !m_session->isPageNumberKnown())
        return;
    bool accepted = false;
    const int chosen = QInputDialog::getInt(this, tr("跳转到页"), tr("请输入页码 (1-%1):").arg(count),
                                            m_session->pageNumber(), 1, count, 1, &accepted);
    if (accepted)
        m_session->goTo(chosen - 1);
}

void MainWindow::onReadPage()
{
    m_views->show(ViewStack::Reading);
    if (m_session->openingBook().isEmpty() && m_session->book().isEmpty())
        ui->bookName->setText(tr("Quorvane - 未打开文件"));
    else
        showBookName(m_session->openingBook().isEmpty() ? m_session->book() : m_session->openingBook());
    showCurrentChapter();
}

void MainWindow::onSearchText()
{
    findAgain(false, false);
}

// Shift+Enter in the search bar finds the match before.
void MainWindow::addSearchKeys()
{
    for (const int key : { Qt::Key_Return, Qt::Key_Enter }) {
        auto *shortcut = new QShortcut(QKeySequence(Qt::SHIFT | key), ui->searchEdit);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] { findAgain(true, false); });
    }
}

// A search from the keys tells of a wrap without stopping the reader with a dialog.
void MainWindow::findAgain(bool backward, bool quietly)
{
    const QString text = m_conversion->toBookScript(ui->searchEdit->text().trimmed());
    m_quietSearch = quietly;
    if (backward)
        m_session->findPrevious(text);
    else
        m_session->find(text);
}

void MainWindow::onSearchWrapped()
{
    if (m_quietSearch) {
        QToolTip::showText(m_pageWidget->mapToGlobal(m_pageWidget->rect().center()),
                           tr("已从另一端继续搜索"), m_pageWidget);
        return;
    }
    QMessageBox::information(this, tr("搜索"), tr("已回到文档开头继续搜索"), QMessageBox::Ok,
                             QMessageBox::NoButton);
}

// The results join the stack, and the button that lists them the search bar.
void MainWindow::addSearchResults()
{
    m_searchResults = new SearchResultsList(this);
    m_views->addView(ViewStack::Results, m_searchResults);
    m_allResultsButton = new QPushButton(tr("全部结果"), this);
    m_allResultsButton->setObjectName(QStringLiteral("allResultsButton"));
    ui->horizontalLayout_4->addWidget(m_allResultsButton);
    connect(m_allResultsButton, &QAbstractButton::clicked, this, &MainWindow::showAllResults);
    connect(m_searchResults, &SearchResultsList::resultChosen, this, &MainWindow::openResult);
}

void MainWindow::showAllResults()
{
    const QString text = m_conversion->toBookScript(ui->searchEdit->text().trimmed());
    if (text.isEmpty() || m_session->state() != ReadingSession::State::Reading)
        return;
    m_searchResults->setTextConversion(m_conversion->shownScript());
    // Only the pages from a reopened place are cut: the search runs once those from the
    // start replace them, and their offsets are the book's.
    if (!m_session->isPageNumberKnown()) {
        connect(m_session, &ReadingSession::pagesReplaced, this, &MainWindow::showAllResults,
                Qt::ConnectionType(Qt::SingleShotConnection | Qt::UniqueConnection));
        return;
    }
    m_searchResults->search(m_session->pages(), m_session->chapters(), text, m_session->isComplete());
    m_views->show(ViewStack::Results);
}

void MainWindow::openResult(qsizetype offset, qsizetype length)
{
    m_session->goToMatch(offset, length);
    onReadPage();
    setFocus(Qt::OtherFocusReason);
}

void MainWindow::showMatch()
{
    // While a page stands in for the reader's place, its offsets are not the book's.
    const qsizetype start = m_session->matchStart();
    if (start < 0 || m_session->state() != ReadingSession::State::Reading) {
        m_pageWidget->setHighlight(-1, 0, 0);
        return;
    }
    const int page = Paginator::pageAtOffset(m_session->pages(), start);
    m_pageWidget->setHighlight(page, start - Paginator::offsetOfPage(m_session->pages(), page),
                               m_session->matchLength());
}

// ---- Chapters ------------------------------------------------------------------------

// The contents page joins the stack, and its button the left strip under the shelf's.
void MainWindow::addContentsPage()
{
    m_contentsPage = new ContentsPage(this);

    auto *button = new QToolButton(this);
    button->setObjectName(QStringLiteral("contentsButton"));
    QIcon icon(QStringLiteral(":/icons/contents.svg"));
    icon.addFile(QStringLiteral(":/icons/contents-hover.svg"), {}, QIcon::Normal, QIcon::On);
    button->setIcon(icon);
    button->setIconSize(ui->bookshelfButton->iconSize());
    button->setCheckable(true);
    button->setToolTip(tr("目录"));
    ui->buttonGroup->addButton(button);
    ui->verticalLayout_6->insertWidget(ui->verticalLayout_6->indexOf(ui->bookshelfButton) + 1, button);
    connect(button, &QAbstractButton::clicked, this, &MainWindow::showContents);
    m_contentsButton = button;
    m_views->addView(ViewStack::Contents, m_contentsPage, button);
}

void MainWindow::showContents()
{
    m_contentsPage->setFilter({});
    m_contentsPage->setCurrentChapter(m_session->currentChapter());
    m_views->show(ViewStack::Contents);
    m_contentsPage->setFocus(Qt::OtherFocusReason);
}

void MainWindow::openChapter(int chapter)
{
    m_session->goToChapter(chapter);
    onReadPage();
    setFocus(Qt::OtherFocusReason);
}

void MainWindow::showChapters()
{
    m_contentsPage->setChapters(m_conversion->shownChapters(m_session->chapters()));
    m_pageWidget->setHeadings(m_session->pageHeadings());
    showCurrentChapter();
}

// The header names the book and, where the reader is in a chapter, the chapter, elided
// into the room the header leaves it.
void MainWindow::showCurrentChapter()
{
    if (!m_session->openingBook().isEmpty() || m_session->book().isEmpty()
        || m_views->current() == ViewStack::Shelf)
        return;
    QString title = bookTitle(m_session->book());
    const int chapter = m_session->currentChapter();
    if (chapter >= 0)
        title += ChapterSeparator + m_conversion->shown(m_session->chapters()[chapter].title);
    const int room = ui->bookName->width() + ui->horizontalSpacer->geometry().width();
    if (room > 0)
        title = ui->bookName->fontMetrics().elidedText(title, Qt::ElideRight, room);
    ui->bookName->setText(title);
}

// ---- Appearance ----------------------------------------------------------------------

void MainWindow::onZoomIn()
{
    m_appearance->zoomIn();
}

void MainWindow::onZoomOut()
{
    m_appearance->zoomOut();
}

void MainWindow::onChangeFont()
{
    m_appearance->chooseFont();
}

void MainWindow::onChangeTextColor()
{
    m_appearance->chooseTextColor();
}

void MainWindow::onChangeBackgroundColor()
{
    m_appearance->chooseBackgroundColor();
}

// ---- Library -------------------------------------------------------------------------

void MainWindow::onOpenFile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("打开TXT文件"), QString(),
                                                      tr("文本文件 (*.txt)"));
    if (path.isEmpty())
        return;
    openBook(path);
    ui->m_pageLabel->setText(tr("加载中..."));
    addBooks({ path });
}

void MainWindow::onOpenFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
            this, tr("选择文件夹"), QString(),
            QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (!folder.isEmpty())
        addFolder(folder);
}

void MainWindow::addFolder(const QString &folder)
{
    const QStringList found = scanFolderRecursively(folder);
    if (m_cancelledScanFound) {
        QMessageBox::information(this, tr("扫描已取消"),
                                 tr("扫描已取消，取消前找到的 %1 个文本文件没有加入书架。")
                                         .arg(*std::exchange(m_cancelledScanFound, std::nullopt)),
                                 QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    if (found.isEmpty()) {
        QMessageBox::information(this, tr("扫描结果"), tr("未找到任何文本文件"), QMessageBox::Ok,
                                 QMessageBox::NoButton);
        return;
    }
    m_bookList.add(found);
    showBookList();
    QMessageBox::information(this, tr("扫描完成"), tr("共找到 %1 个文本文件").arg(found.size()),
                             QMessageBox::Ok, QMessageBox::NoButton);
}

// The scan runs on a worker while the window keeps painting; a progress line counts the
// books found so far and its cancel button, or Esc, stops the scan; how many it had found
// then is kept for the report.
QStringList MainWindow::scanFolderRecursively(QString folderPath)
{
    m_cancelledScanFound.reset();
    int foundSoFar = 0;
    FolderScanner scanner;
    QProgressDialog progress(tr("正在扫描文件夹……"), tr("取消"), 0, 0, this);
    progress.setWindowTitle(tr("扫描文件夹"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(ScanProgressDelayMs);
    QEventLoop scanning;
    QStringList found;
    connect(&scanner, &FolderScanner::progress, &progress, [&progress, &foundSoFar](int books) {
        foundSoFar = books;
        progress.setLabelText(tr("已找到 %1 个文本文件……").arg(books));
    });
    connect(&scanner, &FolderScanner::finished, &scanning, [&](const QStringList &paths) {
        found = paths;
        scanning.quit();
    });
    connect(&scanner, &FolderScanner::cancelled, &scanning, [&] {
        m_cancelledScanFound = foundSoFar;
        scanning.quit();
    });
    connect(&progress, &QProgressDialog::canceled, &scanner, &FolderScanner::cancel);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    scanner.scan(folderPath);
    scanning.exec();
    QGuiApplication::restoreOverrideCursor();
    return found;
}

void MainWindow::addBooks(const QStringList &paths)
{
    if (m_bookList.add(paths) > 0)
        showBookList();
}

void MainWindow::showBookList()
{
    const QStringList books = m_bookList.books();
    const Library::Shelf shelf = m_library->shelfOf(books, m_settings.shelfOrder());
    m_bookshelfWidget->setBooks(shelf.books, shelf.progress, books);
    updateBookCountLabel();
}

void MainWindow::onToggleBookshelf()
{
    m_views->show(ViewStack::Shelf);
    showBookList();
}

void MainWindow::onBookSelectedByPath(QString filePath)
{
    if (!QFile::exists(filePath)) {
        offerToRemoveMissingBook(filePath);
        return;
    }
    openBook(filePath);
    m_views->show(ViewStack::Reading);
}

void MainWindow::onBookSelectedByIndex(int index)
{
    const QStringList books = m_bookList.books();
    if (index < 0 || index >= books.size())
        return;
    openBook(books.at(index));
    m_views->show(ViewStack::Reading);
}

void MainWindow::updateBookCountLabel()
{
    const int count = m_bookList.size();
    if (count == 0)
        ui->bookName->setText(tr("Quorvane - 书架空空如也"));
    else
        ui->bookName->setText(tr("Quorvane - 共有 %1 本书").arg(count));
}

void MainWindow::openBook(const QString &path)
{
    const BookRecord record = m_library->recordFor(path);
    m_session->open(path, record.place, record.encodingOverride.toLatin1(), record.anchor,
                    record.fingerprint);
    showBookName(path);
}

// A path that names no readable file (a folder among them) is reported once the window shows,
// and never joins the list.
void MainWindow::openAtStart(const QString &path)
{
    const QString problem = BookFileReader::whyNotOpenable(path);
    if (!problem.isEmpty()) {
        m_missingStartupBook = path;
        m_startupProblem = problem;
        return;
    }
    m_startupBook = path;
    if (!m_bookList.contains(path))
        addBooks({ path });
}

void MainWindow::openFromOutside(const QString &path)
{
    if (!path.isEmpty()) {
        const QString problem = BookFileReader::whyNotOpenable(path);
        if (problem.isEmpty()) {
            addBooks({ path });
            openBook(path);
            m_views->show(ViewStack::Reading);
        } else {
            onOpenFailed(path, problem);
        }
    }
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

// The pages are cut for the page area as it is shown, so the newest book is opened once
// the window has been laid out at its real size.
void MainWindow::openNewestBook()
{
    m_startupLoadIssued = true;
    showLibraryNotice();
    const QStringList books = m_bookList.books();
    const QString lastRead = m_library->lastReadBook();
    if (!m_startupBook.isEmpty())
        openBook(m_startupBook);
    else if (!lastRead.isEmpty())
        openBook(lastRead);
    else if (!books.isEmpty())
        openBook(books.first());
    if (!m_missingStartupBook.isEmpty())
        onOpenFailed(std::exchange(m_missingStartupBook, {}), m_startupProblem);
}

void MainWindow::showBookName(const QString &path)
{
    ui->bookName->setText(bookTitle(path));
}

// ---- Window chrome -------------------------------------------------------------------

void MainWindow::onCloseWindow()
{
    close();
}

void MainWindow::onMinimizeWindow()
{
    showMinimized();
}

void MainWindow::onToggleFullscreen()
{
    m_chrome->toggleFullScreen();
}

void MainWindow::onToggleSearchBar()
{
    m_isSearchBarVisible = !m_isSearchBarVisible;
    ui->frame_2->setVisible(m_isSearchBarVisible);
    if (m_isSearchBarVisible) {
        ui->toggleSearchButton->setIcon(QIcon(QStringLiteral(":/icons/search_hide.svg")));
        ui->searchEdit->setFocus(Qt::OtherFocusReason);
    } else {
        ui->toggleSearchButton->setIcon(QIcon(QStringLiteral(":/icons/search_show.svg")));
    }
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_startupLoadIssued)
        QTimer::singleShot(0, this, &MainWindow::openNewestBook);
}

void MainWindow::about()
{
    AboutDialog dialog(this);
    dialog.exec();
}

// ---- Settings ------------------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent *event)
{
    m_settings.recordWindowState(saveGeometry(), saveState(0), m_chrome->isFullScreen(),
                                 m_isSearchBarVisible);
    m_library->flush();
    event->accept();
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
    ui->bookName->setText(tr("Quorvane - 未打开文件"));
    showBookList();
    switchLanguage(LanguageManager::DefaultLanguage);
    QMessageBox::information(this, tr("重置完成"), tr("应用程序已重置为初始状态。"), QMessageBox::Ok);
}

// ---- Languages and the main menu -----------------------------------------------------

void MainWindow::switchToChineseSimplified()
{
    switchLanguage(QStringLiteral("zh_CN"));
}

void MainWindow::switchToChineseTraditional()
{
    switchLanguage(QStringLiteral("zh_TW"));
}

void MainWindow::switchToEnglish()
{
    switchLanguage(QStringLiteral("en_US"));
}

// The first switch, at start, installs the saved language without writing it; later ones
// write the language they leave the interface in.
void MainWindow::switchLanguage(const QString &language)
{
    if (language == m_languages->language())
        return;
    const bool starting = m_languages->language().isEmpty();
    const QString applied = m_languages->apply(language);
    m_mainMenu->setLanguage(applied);
    if (!starting || applied != language)
        m_settings.setLanguage(applied);
}

// The language manager tells the window of a new language at once, and Qt tells it again
// later; only the first of the two translates the form, which resets the header.
void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && m_translatedLanguage != m_languages->language()) {
        m_translatedLanguage = m_languages->language();
        ui->retranslateUi(this);
        m_contentsButton->setToolTip(tr("目录"));
        m_allResultsButton->setText(tr("全部结果"));
        showReadingState();
    }
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange)
        updateBookInReading();
    QMainWindow::changeEvent(event);
}

// The form's texts put the header and the page label back to their blank state; the book
// and the page on show are named again in the new language.
void MainWindow::showReadingState()
{
    if (!m_session->pages().empty())
        updatePageLabel();
    if (m_views->current() == ViewStack::Shelf)
        updateBookCountLabel();
    else if (!m_session->book().isEmpty() || !m_session->openingBook().isEmpty())
        onReadPage();
}

void MainWindow::showMainMenu()
{
    m_mainMenu->exec(ui->menuButton->mapToGlobal(QPoint(0, ui->menuButton->height())));
}
