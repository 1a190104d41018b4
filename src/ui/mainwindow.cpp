#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "aboutdialog.h"
#include "bookshelfwidget.h"
#include "fileloader.h"
#include "pagewidget.h"
#include "windowshadow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSettings>
#include <QTimer>
#include <QWheelEvent>

namespace {

const QString SettingsOrganization = QStringLiteral("Bookshelf");
const QString SettingsApplication = QStringLiteral("Lexorin");
const QString DefaultLanguage = QStringLiteral("zh_CN");
const QString ReadingFamily = QStringLiteral("Microsoft YaHei");
const QColor DefaultBackground(250, 245, 235);
constexpr int DefaultFontSize = 14;
constexpr int MinimumFontSize = 8;
constexpr int MaximumFontSize = 30;
constexpr int ZoomStep = 2;
// Text enough to fill one page at the smallest size on the largest screen.
constexpr qsizetype ProvisionalTextLength = 32 * 1024;

// In the order they are merged at start-up: the second one ends up first in the list.
const QStringList SampleBooks = {
    QStringLiteral(":/book/A Pocketful of Weather.txt"),
    QStringLiteral(":/book/星灯童话集.txt"),
};

QString bookTitle(const QString &path)
{
    return QFileInfo(path).baseName();
}

// A colour the store holds as a colour is taken as it is; anything else goes through
// QVariant's conversion, so a colour name typed into the file by hand works too. What is no
// colour at all gives the default rather than an invalid colour, which paints black.
QColor colorValue(const QVariant &value, const QColor &fallback)
{
    const QColor color = value.value<QColor>();
    return color.isValid() ? color : fallback;
}

}

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , m_font(ReadingFamily, DefaultFontSize)
{
    ui->setupUi(this);
    m_fileLoader = new FileLoader(this);
    m_pageWidget = new PageWidget(this);
    m_bookshelfWidget = new BookshelfWidget(this);

    if (!ui->bookBox->layout())
        new QVBoxLayout(ui->bookBox);
    ui->bookBox->layout()->addWidget(m_pageWidget);
    ui->gridLayout->addWidget(m_bookshelfWidget);

    connect(m_bookshelfWidget, &BookshelfWidget::bookSelected, this, &MainWindow::onBookSelectedByPath);
    connect(m_fileLoader, &FileLoader::fileLoaded, this, &MainWindow::onFileLoaded);
    connect(m_fileLoader, &FileLoader::pagesCut, this, &MainWindow::onPagesCut);
    connect(m_fileLoader, &FileLoader::loadFailed, this, &MainWindow::onLoadFailed);
    connect(m_fileLoader, &FileLoader::pagesRecut, this, &MainWindow::onPagesRecut);
    connect(m_pageWidget, &PageWidget::textAreaResized, this, &MainWindow::repaginate);

    setFixedSize(WindowWidth, WindowHeight);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground, true);
    new WindowShadow(ui->frameMain);
    setFocusPolicy(Qt::StrongFocus);
    setFocus(Qt::OtherFocusReason);

    connect(ui->openButton, &QAbstractButton::clicked, this, &MainWindow::onOpenFile);
    connect(ui->openFolderButton, &QAbstractButton::clicked, this, &MainWindow::onOpenFolder);
    connect(ui->nextButton, &QAbstractButton::clicked, this, &MainWindow::onNextPage);
    connect(ui->prevButton, &QAbstractButton::clicked, this, &MainWindow::onPrevPage);
    connect(ui->jumpButton, &QAbstractButton::clicked, this, &MainWindow::onJumpToPage);
    connect(ui->zoomInButton, &QAbstractButton::clicked, this, &MainWindow::onZoomIn);
    connect(ui->zoomOutButton, &QAbstractButton::clicked, this, &MainWindow::onZoomOut);
    connect(ui->bookshelfButton, &QAbstractButton::clicked, this, &MainWindow::onToggleBookshelf);
    connect(ui->searchButton, &QAbstractButton::clicked, this, &MainWindow::onSearchText);
    connect(ui->searchEdit, &QLineEdit::returnPressed, this, &MainWindow::onSearchText);
    connect(ui->colorButton, &QAbstractButton::clicked, this, &MainWindow::onChangeBackgroundColor);
    connect(ui->closeButton, &QAbstractButton::clicked, this, &MainWindow::onCloseWindow);
    connect(ui->minimizeButton, &QAbstractButton::clicked, this, &MainWindow::onMinimizeWindow);
    connect(ui->fullscreenButton, &QAbstractButton::clicked, this, &MainWindow::onToggleFullscreen);
    connect(ui->toggleSearchButton, &QAbstractButton::clicked, this, &MainWindow::onToggleSearchBar);
    connect(ui->fontButton, &QAbstractButton::clicked, this, &MainWindow::onChangeFont);
    connect(ui->textColorButton, &QAbstractButton::clicked, this, &MainWindow::onChangeTextColor);
    connect(ui->readButton, &QAbstractButton::clicked, this, &MainWindow::onReadPage);

    updatePageLabel();
    loadSettings();
    ui->frame_2->setVisible(false);
    m_isSearchBarVisible = false;
    mergeSampleBooks();
    saveSettings();
    loadSavedLanguage();
    connect(ui->menuButton, &QAbstractButton::clicked, this, [this] { showMainMenu(); });

    m_bookshelfWidget->setBooks(m_recentFiles);
    updateBookCountLabel();
}

MainWindow::~MainWindow()
{
    saveSettings();
    delete ui;
}

// ---- Reading -------------------------------------------------------------------------

void MainWindow::onFileLoaded(std::vector<QString> pages, QString filePath)
{
    receivePages(std::move(pages), filePath, true);
}

void MainWindow::onPagesCut(std::vector<QString> pages, QString filePath)
{
    receivePages(std::move(pages), filePath, false);
}

// A newly opened book is shown from its first page as soon as that is cut; later pages of
// the book on show join the list as they are cut. Pages cut anew are shown at the reader's
// held place once they reach it.
void MainWindow::receivePages(std::vector<QString> pages, const QString &filePath, bool complete)
{
    if (filePath != m_currentFile || pages.empty())
        return;
    // Until the new cut reaches the held place, the pages at hand still serve to show it.
    if (m_heldOffset && !complete && Paginator::offsetOfPage(pages, int(pages.size())) <= *m_heldOffset)
        return;
    m_pages = std::move(pages);
    m_pagesComplete = complete;
    m_shownFile = filePath;
    if (m_heldOffset) {
        showHeldPlace();
        return;
    }
    if (std::exchange(m_awaitingFirstPages, false)) {
        m_currentPage = 0;
        m_pageWidget->setPages(m_pages);
        m_pageWidget->flipToPage(0, true);
    } else {
        m_pageWidget->extendPages(m_pages);
    }
    updatePageLabel();
}

void MainWindow::showHeldPlace()
{
    m_currentPage = Paginator::pageAtOffset(m_pages, *m_heldOffset);
    m_heldOffset.reset();
    m_awaitingFirstPages = false;
    m_pageWidget->setPages(m_pages);
    m_pageWidget->showPage(m_currentPage);
    updatePageLabel();
}

// The book still on show stays on show, and the header and label return to it.
void MainWindow::onLoadFailed(const QString &filePath, const QString &reason)
{
    if (filePath != m_currentFile)
        return;
    m_currentFile = m_shownFile;
    m_awaitingFirstPages = false;
    if (m_heldOffset)
        showHeldPlace();
    if (m_shownFile.isEmpty())
        updateBookCountLabel();
    else
        showBookName(m_shownFile);
    updatePageLabel();
    QMessageBox::warning(this, tr("无法打开书籍"),
                         tr("无法打开“%1”：\n%2").arg(QDir::toNativeSeparators(filePath), reason),
                         QMessageBox::Ok, QMessageBox::NoButton);
}

void MainWindow::onPagesRecut(std::vector<QString> pages, QString filePath)
{
    if (filePath == m_shownFile)
        receivePages(std::move(pages), filePath, true);
}

// Pages depend on the font and the text area they are drawn in; when either changes, the
// book is cut anew in the background. The reader's place is held meanwhile: the page that
// begins with the first character they were reading is shown at once in the new format, and
// the pages are turned again once the new cut reaches that character.
void MainWindow::repaginate()
{
    if (m_currentFile.isEmpty())
        return;
    if (m_currentFile != m_shownFile) {
        if (m_startupLoadIssued)
            m_fileLoader->loadFile(m_currentFile, pageFormat());
        return;
    }
    if (!m_heldOffset)
        m_heldOffset = Paginator::offsetOfPage(m_pages, m_currentPage);
    m_pageWidget->setPages({ pageStartingAt(*m_heldOffset) });
    if (m_pagesComplete) {
        m_fileLoader->repaginate(m_pages, m_currentFile, pageFormat());
    } else {
        m_awaitingFirstPages = true;
        m_fileLoader->loadFile(m_currentFile, pageFormat());
    }
}

// Cuts one page in the current format from the text at an offset, out of the pages at hand.
QString MainWindow::pageStartingAt(qsizetype offset) const
{
    const int page = Paginator::pageAtOffset(m_pages, offset);
    QString text = m_pages[page].mid(offset - Paginator::offsetOfPage(m_pages, page));
    for (int next = page + 1; next < int(m_pages.size()) && text.size() < ProvisionalTextLength; ++next)
        text += m_pages[next];
    return Paginator(pageFormat()).paginate(Paginator::paragraphsOfPages(text)).front();
}

bool MainWindow::canTurnPages() const
{
    return !m_pages.empty() && !m_heldOffset;
}

PageFormat MainWindow::pageFormat() const
{
    return { m_pageWidget->textFont(), m_pageWidget->textArea().size() };
}

void MainWindow::onNextPage()
{
    if (canTurnPages() && m_currentPage < int(m_pages.size()) - 1)
        turnTo(m_currentPage + 1, true);
}

void MainWindow::onPrevPage()
{
    if (canTurnPages() && m_currentPage > 0)
        turnTo(m_currentPage - 1, false);
}

void MainWindow::turnTo(int page, bool forward)
{
    m_currentPage = page;
    m_pageWidget->flipToPage(page, forward);
    updatePageLabel();
}

// While a book is still being cut, its page count is marked as a lower bound.
void MainWindow::updatePageLabel()
{
    const int shown = m_pages.empty() ? 0 : m_currentPage + 1;
    const QString label = m_pagesComplete ? tr("第 %1 页/共 %2 页") : tr("第 %1 页/共 %2+ 页");
    ui->m_pageLabel->setText(label.arg(shown).arg(m_pages.size()));
}

void MainWindow::onJumpToPage()
{
    if (!canTurnPages())
        return;
    const int count = int(m_pages.size());
    bool accepted = false;
    const int chosen = QInputDialog::getInt(this, tr("跳转到页"), tr("请输入页码 (1-%1):").arg(count),
                                            m_currentPage + 1, 1, count, 1, &accepted);
    // A load may have replaced the pages while the dialog was open.
    if (!accepted || !canTurnPages())
        return;
    const int page = qMin(chosen, int(m_pages.size())) - 1;
    turnTo(page, page > m_currentPage);
}

void MainWindow::onReadPage()
{
    ui->stackedWidget->setCurrentIndex(0);
    if (m_currentFile.isEmpty())
        ui->bookName->setText(tr("Quorvane - 未打开文件"));
    else
        showBookName(m_currentFile);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        onNextPage();
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        onPrevPage();
        break;
    case Qt::Key_Home:
        if (canTurnPages())
            turnTo(0, false);
        break;
    case Qt::Key_End:
        if (canTurnPages())
            turnTo(int(m_pages.size()) - 1, true);
        break;
    case Qt::Key_Escape:
        if (!m_isFullscreen) {
            QMainWindow::keyPressEvent(event);
            return;
        }
        onToggleFullscreen();
        break;
    case Qt::Key_F11:
        onToggleFullscreen();
        break;
    case Qt::Key_F:
        if (m_isSearchBarVisible)
            ui->searchEdit->setFocus(Qt::OtherFocusReason);
        else
            onToggleSearchBar();
        break;
    case Qt::Key_B:
        onToggleBookshelf();
        break;
    default:
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MainWindow::wheelEvent(QWheelEvent *event)
{
    const QPoint delta = event->angleDelta();
    const bool mainlyVertical = delta.x() == 0 ? delta.y() != 0 : qAbs(delta.y()) > qAbs(delta.x());
    if (!mainlyVertical) {
        QMainWindow::wheelEvent(event);
        return;
    }
    if (delta.y() > 0)
        onPrevPage();
    else
        onNextPage();
    event->accept();
}

// ---- Search --------------------------------------------------------------------------

void MainWindow::onSearchText()
{
    if (!canTurnPages())
        return;
    const QString text = ui->searchEdit->text().trimmed();
    if (text.isEmpty())
        return;
    const auto contains = [this, &text](int page) {
        return m_pages[page].contains(text, Qt::CaseInsensitive);
    };
    for (int page = m_currentPage + 1; page < int(m_pages.size()); ++page) {
        if (contains(page)) {
            turnTo(page, true);
            return;
        }
    }
    for (int page = 0; page <= m_currentPage; ++page) {
        if (contains(page)) {
            turnTo(page, false);
            QMessageBox::information(this, tr("搜索"), tr("已回到文档开头继续搜索"),
                                     QMessageBox::Ok, QMessageBox::NoButton);
            return;
        }
    }
    QMessageBox::information(this, tr("搜索"), tr("未找到文本: %1").arg(text), QMessageBox::Ok,
                             QMessageBox::NoButton);
}

// ---- Appearance ----------------------------------------------------------------------

void MainWindow::onZoomIn()
{
    zoomTo(qMin(m_fontSize + ZoomStep, MaximumFontSize));
}

void MainWindow::onZoomOut()
{
    zoomTo(qMax(m_fontSize - ZoomStep, MinimumFontSize));
}

// The widget is told the size on every step, but a step that leaves the page's font as it
// was (at a limit) has nothing to cut anew.
void MainWindow::zoomTo(int size)
{
    const QFont before = m_pageWidget->textFont();
    m_fontSize = size;
    m_pageWidget->setFontSize(m_fontSize);
    if (m_pageWidget->textFont() != before)
        repaginate();
}

void MainWindow::onChangeFont()
{
    bool accepted = false;
    const QFont font = QFontDialog::getFont(&accepted, m_font, this, tr("选择字体"));
    if (!accepted)
        return;
    m_font = font;
    m_pageWidget->setTextFont(m_font);
    repaginate();
}

void MainWindow::onChangeTextColor()
{
    const QColor color = QColorDialog::getColor(m_textColor, this, tr("选择文字颜色"));
    if (!color.isValid())
        return;
    m_textColor = color;
    m_pageWidget->setTextColor(m_textColor);
}

void MainWindow::onChangeBackgroundColor()
{
    const QColor color = QColorDialog::getColor(m_bgColor, this, tr("选择背景颜色"));
    if (!color.isValid())
        return;
    m_bgColor = color;
    m_pageWidget->setBackgroundColor(m_bgColor);
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
    if (!m_recentFiles.contains(path)) {
        m_recentFiles.prepend(path);
        m_bookshelfWidget->setBooks(m_recentFiles);
        updateBookCountLabel();
    }
}

void MainWindow::onOpenFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
            this, tr("选择文件夹"), QString(),
            QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (folder.isEmpty())
        return;

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList found = scanFolderRecursively(folder);
    QGuiApplication::restoreOverrideCursor();
    if (found.isEmpty()) {
        QMessageBox::information(this, tr("扫描结果"), tr("未找到任何文本文件"), QMessageBox::Ok,
                                 QMessageBox::NoButton);
        return;
    }
    for (const QString &path : found)
        addToBookList(path);
    m_bookshelfWidget->setBooks(m_recentFiles);
    updateBookCountLabel();
    QMessageBox::information(this, tr("扫描完成"), tr("共找到 %1 个文本文件").arg(found.size()),
                             QMessageBox::Ok, QMessageBox::NoButton);
}

QStringList MainWindow::scanFolderRecursively(QString folderPath)
{
    QStringList walk;
    return scanFolder(folderPath, walk);
}

// Depth first, in the order the file system lists entries. Links are followed, but never
// into a folder already on the way down, so a link back to an ancestor cannot loop.
QStringList MainWindow::scanFolder(const QString &folderPath, QStringList &walk)
{
    const QString canonical = QFileInfo(folderPath).canonicalFilePath();
    if (canonical.isEmpty() || walk.contains(canonical))
        return {};
    walk.append(canonical);

    QStringList found;
    const QFileInfoList entries = QDir(folderPath).entryInfoList(
            QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo &entry : entries) {
        if (entry.isDir())
            found += scanFolder(entry.absoluteFilePath(), walk);
        else if (entry.isFile() && entry.suffix().toLower() == QLatin1String("txt"))
            found.append(entry.absoluteFilePath());
    }
    walk.removeLast();
    return found;
}

void MainWindow::onToggleBookshelf()
{
    ui->stackedWidget->setCurrentIndex(1);
    m_bookshelfWidget->setBooks(m_recentFiles);
    updateBookCountLabel();
}

void MainWindow::onBookSelectedByPath(QString filePath)
{
    if (!QFile::exists(filePath))
        return;
    openBook(filePath);
    ui->stackedWidget->setCurrentIndex(0);
}

void MainWindow::onBookSelectedByIndex(int index)
{
    if (index < 0 || index >= m_recentFiles.size())
        return;
    openBook(m_recentFiles.at(index));
    ui->stackedWidget->setCurrentIndex(0);
}

void MainWindow::updateBookCountLabel()
{
    if (m_recentFiles.isEmpty())
        ui->bookName->setText(tr("Quorvane - 书架空空如也"));
    else
        ui->bookName->setText(tr("Quorvane - 共有 %1 本书").arg(m_recentFiles.size()));
}

void MainWindow::openBook(const QString &path)
{
    m_fileLoader->loadFile(path, pageFormat());
    m_currentFile = path;
    m_awaitingFirstPages = true;
    if (m_heldOffset) {
        m_heldOffset.reset();
        m_pageWidget->setPages(m_pages);
        m_pageWidget->showPage(m_currentPage);
    }
    showBookName(path);
}

void MainWindow::openAtStart(const QString &path)
{
    m_startupBook = path;
    if (!m_recentFiles.contains(path)) {
        addToBookList(path);
        m_bookshelfWidget->setBooks(m_recentFiles);
        updateBookCountLabel();
    }
}

// The pages are cut for the page area as it is shown, so the newest book is opened once
// the window has been laid out at its real size.
void MainWindow::openNewestBook()
{
    m_startupLoadIssued = true;
    if (!m_startupBook.isEmpty())
        openBook(m_startupBook);
    else if (!m_recentFiles.isEmpty())
        openBook(m_recentFiles.first());
}

void MainWindow::showBookName(const QString &path)
{
    ui->bookName->setText(bookTitle(path));
}

void MainWindow::addToBookList(const QString &path)
{
    if (!m_recentFiles.contains(path, Qt::CaseSensitive))
        m_recentFiles.prepend(path);
}

void MainWindow::mergeSampleBooks()
{
    for (const QString &sample : SampleBooks) {
        if (QFile::exists(sample))
            addToBookList(sample);
    }
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

// Full screen needs the fixed-size constraint lifted; leaving it restores the window's size.
void MainWindow::onToggleFullscreen()
{
    if (m_isFullscreen) {
        showNormal();
        setFixedSize(WindowWidth, WindowHeight);
        m_isFullscreen = false;
        ui->fullscreenButton->setIcon(QIcon(QStringLiteral(":/icons/fullscreen.svg")));
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        showFullScreen();
        m_isFullscreen = true;
        ui->fullscreenButton->setIcon(QIcon(QStringLiteral(":/icons/restore.svg")));
    }
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

bool MainWindow::isDragHandle(const QPoint &windowPosition) const
{
    const auto hits = [this, &windowPosition](const QWidget *handle) {
        return handle->rect().contains(handle->mapFrom(this, windowPosition));
    };
    return hits(ui->headerFrame) || hits(ui->frame_menu);
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !isDragHandle(event->position().toPoint())) {
        QMainWindow::mousePressEvent(event);
        return;
    }
    m_isDragging = true;
    m_dragStartPosition = event->globalPosition().toPoint();
    m_windowStartPosition = frameGeometry().topLeft();
    event->accept();
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_isDragging || !(event->buttons() & Qt::LeftButton)) {
        QMainWindow::mouseMoveEvent(event);
        return;
    }
    move(event->globalPosition().toPoint() - m_dragStartPosition + m_windowStartPosition);
    event->accept();
}

void MainWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_isDragging) {
        QMainWindow::mouseReleaseEvent(event);
        return;
    }
    m_isDragging = false;
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
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

void MainWindow::loadSettings()
{
    QSettings settings(SettingsOrganization, SettingsApplication);
    m_recentFiles = settings.value(QStringLiteral("recentFiles")).toStringList();
    m_fontSize = settings.value(QStringLiteral("fontSize"), DefaultFontSize).toInt();
    m_bgColor = colorValue(settings.value(QStringLiteral("bgColor")), DefaultBackground);
    m_textColor = colorValue(settings.value(QStringLiteral("textColor")), QColor(Qt::black));
    const QString family = settings.value(QStringLiteral("textFontFamily"), ReadingFamily).toString();
    const int size = settings.value(QStringLiteral("textFontSize"), DefaultFontSize).toInt();
    m_font = QFont(family, size, -1, false);

    m_pageWidget->setBackgroundColor(m_bgColor);
    m_pageWidget->setTextColor(m_textColor);
    m_pageWidget->setTextFont(m_font);
    m_bookshelfWidget->setBooks(m_recentFiles);
}

void MainWindow::saveSettings()
{
    QSettings settings(SettingsOrganization, SettingsApplication);
    settings.setValue(QStringLiteral("recentFiles"), m_recentFiles);
    settings.setValue(QStringLiteral("fontSize"), m_fontSize);
    settings.setValue(QStringLiteral("bgColor"), m_bgColor);
    settings.setValue(QStringLiteral("textColor"), m_textColor);
    settings.setValue(QStringLiteral("textFontFamily"), m_font.family());
    settings.setValue(QStringLiteral("textFontSize"), m_font.pointSize());
}

void MainWindow::saveWindowState()
{
    QSettings settings(SettingsOrganization, SettingsApplication);
    settings.setValue(QStringLiteral("fontSize"), m_fontSize);
    settings.setValue(QStringLiteral("bgColor"), m_bgColor);
    settings.setValue(QStringLiteral("textColor"), m_textColor);
    settings.setValue(QStringLiteral("textFontFamily"), m_font.family());
    settings.setValue(QStringLiteral("textFontSize"), m_font.pointSize());
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("windowState"), saveState(0));
    settings.setValue(QStringLiteral("isFullscreen"), m_isFullscreen);
    settings.setValue(QStringLiteral("isSearchBarVisible"), m_isSearchBarVisible);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    saveWindowState();
    saveSettings();
    event->accept();
}

void MainWindow::resetApplication()
{
    const auto answer = QMessageBox::question(
            this, tr("确认重置"), tr("确定要重置应用程序吗？\n这将清除所有设置和书架上的全部书籍。"),
            QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;

    QSettings(SettingsOrganization, SettingsApplication).clear();
    m_recentFiles.clear();
    m_currentFile.clear();
    m_shownFile.clear();
    m_pages.clear();
    m_currentPage = 0;
    ui->bookName->setText(tr("Quorvane - 未打开文件"));
    ui->m_pageLabel->setText(tr("第 0 页/共 0 页"));
    m_bookshelfWidget->setBooks(m_recentFiles);
    updateBookCountLabel();

    QSettings(SettingsOrganization, SettingsApplication).remove(QStringLiteral("language"));
    switchLanguage(DefaultLanguage);
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

void MainWindow::switchLanguage(const QString &language)
{
    if (language == m_currentLanguage)
        return;
    m_currentLanguage = language;
    QSettings(SettingsOrganization, SettingsApplication).setValue(QStringLiteral("language"), language);

    QCoreApplication::removeTranslator(&m_translator);
    QCoreApplication::removeTranslator(&m_qtTranslator);
    if (m_qtTranslator.load(QStringLiteral("qt_") + language,
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslator);

    const QString path = QStringLiteral(":/translations/lang_%1.qm").arg(language);
    bool installed = false;
    if (!QFile::exists(path))
        qWarning() << "Translation file not found:" << path;
    else if (!m_translator.load(path))
        qWarning() << "Failed to load translation file:" << path;
    else
        installed = QCoreApplication::installTranslator(&m_translator);

    if (!installed && language != DefaultLanguage) {
        switchLanguage(DefaultLanguage);
        return;
    }
    ui->retranslateUi(this);
    retranslateMenu();
    showReadingState();
}

// The form's texts put the header and the page label back to their blank state; the book
// and the page on show are named again in the new language.
void MainWindow::showReadingState()
{
    if (!m_pages.empty())
        updatePageLabel();
    if (ui->stackedWidget->currentIndex() == 1)
        updateBookCountLabel();
    else if (!m_currentFile.isEmpty())
        showBookName(m_currentFile);
}

void MainWindow::loadSavedLanguage()
{
    QSettings settings(SettingsOrganization, SettingsApplication);
    switchLanguage(settings.value(QStringLiteral("language"), DefaultLanguage).toString());
}

void MainWindow::retranslateMenu()
{
    if (!m_mainMenu)
        return;
    const QList<QAction *> actions = m_mainMenu->actions();
    actions[0]->setText(tr("简体中文"));
    actions[1]->setText(tr("繁體中文"));
    actions[2]->setText(tr("English"));
    actions[4]->setText(tr("一键重置"));
    actions[5]->setText(tr("关于Quorvane"));
}

void MainWindow::showMainMenu()
{
    if (!m_mainMenu) {
        m_mainMenu = new QMenu(this);
        m_mainMenu->setStyleSheet(QStringLiteral(
                "QMenu { background-color: white; border: 1px solid #ddd; }"
                "QMenu::item { padding: 5px 20px 5px 10px; }"
                "QMenu::item:selected { background-color: #e6f2ff; }"
                "QMenu::icon { left: 5px; }"));
        auto *languages = new QActionGroup(this);
        languages->setExclusive(true);
        const struct
        {
            QString text;
            QString code;
            void (MainWindow::*slot)();
        } items[] = {
            { tr("简体中文"), QStringLiteral("zh_CN"), &MainWindow::switchToChineseSimplified },
            { tr("繁體中文"), QStringLiteral("zh_TW"), &MainWindow::switchToChineseTraditional },
            { tr("English"), QStringLiteral("en_US"), &MainWindow::switchToEnglish },
        };
        for (const auto &item : items) {
            auto *action = new QAction(item.text, this);
            action->setCheckable(true);
            action->setChecked(m_currentLanguage == item.code);
            languages->addAction(action);
            connect(action, &QAction::triggered, this, item.slot);
            m_mainMenu->addAction(action);
        }
        m_mainMenu->addSeparator();
        auto *reset = new QAction(tr("一键重置"), this);
        connect(reset, &QAction::triggered, this, &MainWindow::resetApplication);
        m_mainMenu->addAction(reset);
        auto *aboutAction = new QAction(tr("关于Quorvane"), this);
        connect(aboutAction, &QAction::triggered, this, &MainWindow::about);
        m_mainMenu->addAction(aboutAction);
    }
    m_mainMenu->exec(ui->menuButton->mapToGlobal(QPoint(0, ui->menuButton->height())));
}
