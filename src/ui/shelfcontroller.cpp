#include "shelfcontroller.h"

#include "bookfilereader.h"
#include "bookpropertiesdialog.h"
#include "bookshelfwidget.h"
#include "encodingdialog.h"
#include "fileprober.h"
#include "folderscanner.h"
#include "library.h"
#include "pagepresenter.h"
#include "readingsession.h"
#include "settings.h"
#include "shelfcontextmenu.h"
#include "viewstack.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressDialog>
#include <QTimer>
#include <QUrl>

namespace {

// A scan that ends sooner shows no progress line.
constexpr int ScanProgressDelayMs = 400;

}

ShelfController::ShelfController(Settings &settings, Library *library, ReadingSession *session,
                                 BookshelfWidget *shelf, ViewStack *views, PagePresenter *presenter,
                                 QWidget *window)
    : QObject(window)
    , m_settings(settings)
    , m_bookList(settings, library->database())
    , m_library(library)
    , m_session(session)
    , m_shelf(shelf)
    , m_views(views)
    , m_presenter(presenter)
    , m_window(window)
    , m_scanner(new FolderScanner(this))
    , m_prober(new FileProber(this))
{
    m_shelf->setFileProber(m_prober);
    connect(m_scanner, &FolderScanner::progress, this, [this](int books) {
        m_foundSoFar = books;
        if (m_progress)
            m_progress->setLabelText(tr("已找到 %1 个文本文件……").arg(books));
    });
    connect(m_scanner, &FolderScanner::finished, this, &ShelfController::onScanFinished);
    connect(m_scanner, &FolderScanner::cancelled, this, &ShelfController::onScanCancelled);
    connect(m_shelf, &BookshelfWidget::bookSelected, this, &ShelfController::openFromShelf);
    connect(m_prober, &FileProber::probed, this, &ShelfController::openChosenBook);
    connect(m_prober, &FileProber::probed, this, &ShelfController::openLastReadBook);
    connect(m_shelf, &BookshelfWidget::bookMenuRequested, this, &ShelfController::showShelfMenu);
    connect(m_library, &Library::statusChanged, this, &ShelfController::showLibraryNotice);
    connect(m_library, &Library::movedBookFound, this, &ShelfController::reopenMovedBook);
    connect(m_library, &Library::filedPathsLearned, this, &ShelfController::showBookList);
    m_bookList.mergeSampleBooks();
}

void ShelfController::openFile()
{
    const QString path = QFileDialog::getOpenFileName(m_window, tr("打开TXT文件"), QString(),
                                                      tr("文本文件 (*.txt)"));
    if (path.isEmpty())
        return;
    openBook(path);
    m_presenter->showLoading();
    addBooks({ path });
}

void ShelfController::openFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
            m_window, tr("选择文件夹"), QString(),
            QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (!folder.isEmpty())
        addFolder(folder);
}

void ShelfController::addFolder(const QString &folder)
{
    queueScan({ folder, true });
}

void ShelfController::scanFolder(const QString &folder)
{
    queueScan({ folder, false });
}

bool ShelfController::isScanning() const
{
    return m_scanning;
}

// Folders asked for while one is scanned wait their turn, as each is reported on its own.
void ShelfController::queueScan(const Scan &scan)
{
    m_scans.enqueue(scan);
    if (!m_scanning)
        startNextScan();
}

// The scan runs on a worker while the window keeps working; a progress line counts the
// books found so far and its cancel button, or Esc, stops the scan.
void ShelfController::startNextScan()
{
    if (m_scans.isEmpty())
        return;
    m_scan = m_scans.dequeue();
    m_scanning = true;
    m_foundSoFar = 0;
    m_progress = new QProgressDialog(tr("正在扫描文件夹……"), tr("取消"), 0, 0, m_window);
    m_progress->setWindowTitle(tr("扫描文件夹"));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(ScanProgressDelayMs);
    connect(m_progress, &QProgressDialog::canceled, m_scanner, &FolderScanner::cancel);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_scanner->scan(m_scan.folder);
}

void ShelfController::endScan()
{
    m_scanning = false;
    QGuiApplication::restoreOverrideCursor();
    delete m_progress;
}

void ShelfController::onScanFinished(const QStringList &found)
{
    endScan();
    if (m_scan.addFound)
        reportAdded(found);
    emit folderScanned(found);
    startNextScan();
}

void ShelfController::onScanCancelled()
{
    endScan();
    const int found = m_foundSoFar;
    if (m_scan.addFound) {
        QMessageBox::information(m_window, tr("扫描已取消"),
                                 tr("扫描已取消，取消前找到的 %1 个文本文件没有加入书架。").arg(found),
                                 QMessageBox::Ok, QMessageBox::NoButton);
    }
    emit scanCancelled(found);
    startNextScan();
}

void ShelfController::reportAdded(const QStringList &found)
{
    if (found.isEmpty()) {
        QMessageBox::information(m_window, tr("扫描结果"), tr("未找到任何文本文件"), QMessageBox::Ok,
                                 QMessageBox::NoButton);
        return;
    }
    m_bookList.add(found);
    showBookList();
    QMessageBox::information(m_window, tr("扫描完成"), tr("共找到 %1 个文本文件").arg(found.size()),
                             QMessageBox::Ok, QMessageBox::NoButton);
}

void ShelfController::addBooks(const QStringList &paths)
{
    if (m_bookList.add(paths) > 0)
        showBookList();
}

void ShelfController::showShelf()
{
    m_views->show(ViewStack::Shelf);
    showBookList();
}

void ShelfController::showBookList()
{
    const QStringList books = m_bookList.books();
    const Library::Shelf shelf = m_library->shelfOf(books, m_settings.shelfOrder());
    m_shelf->setBooks(shelf.books, shelf.progress, books);
    m_presenter->showShelfSize(int(books.size()));
}

// Whether the book is still there is asked off the GUI thread, fresh for each choice: a hung
// mount must not freeze the window, and a book may have come back since the shelf was shown.
void ShelfController::openFromShelf(const QString &path)
{
    m_chosenFromShelf = path;
    m_prober->probe(path);
}

void ShelfController::openChosenBook(const QString &path, const FileProber::Facts &file)
{
    if (path != m_chosenFromShelf)
        return;
    m_chosenFromShelf.clear();
    if (!file.exists) {
        offerToRemoveMissingBook(path);
        return;
    }
    openBook(path);
    m_views->show(ViewStack::Reading);
}

void ShelfController::openAt(int index)
{
    const QStringList books = m_bookList.books();
    if (index < 0 || index >= books.size())
        return;
    openBook(books.at(index));
    m_views->show(ViewStack::Reading);
}

void ShelfController::openBook(const QString &path)
{
    const BookRecord record = m_library->recordFor(path);
    m_session->open(path, record.place, record.encodingOverride.toLatin1(), record.anchor,
                    record.fingerprint);
    m_presenter->showBookName(path);
}

void ShelfController::reopenMovedBook(const QString &path, const BookRecord &record)
{
    if (m_session->openingBook() != path)
        return;
    m_session->open(path, record.place, record.encodingOverride.toLatin1(), record.anchor,
                    record.fingerprint);
}

// A path that names no readable file (a folder among them) is reported once the window shows,
// and never joins the list.
void ShelfController::openAtStart(const QString &path)
{
    const QString problem = BookFileReader::whyNotOpenable(path);
    if (!problem.isEmpty()) {
        m_missingStartBook = path;
        m_startProblem = problem;
        return;
    }
    m_startBook = path;
    if (!m_bookList.contains(path))
        addBooks({ path });
}

// The pages are cut for the page area as it is shown, so the newest book is opened once
// the window has been laid out at its real size. Whether the book read last is still there
// is asked off the GUI thread: its mount may hang, and the window must show meanwhile.
void ShelfController::openStartBook()
{
    if (std::exchange(m_startBookOpened, true))
        return;
    showLibraryNotice();
    const QString lastRead = m_library->lastReadBook();
    if (!m_startBook.isEmpty()) {
        openBook(m_startBook);
    } else if (!lastRead.isEmpty()) {
        m_lastReadAtStart = lastRead;
        m_prober->probe(lastRead);
    } else {
        openNewestBook();
    }
    if (!m_missingStartBook.isEmpty())
        m_presenter->reportOpenFailure(std::exchange(m_missingStartBook, {}), m_startProblem);
}

// A book the reader opened while the answer was awaited is not replaced.
void ShelfController::openLastReadBook(const QString &path, const FileProber::Facts &file)
{
    if (path != m_lastReadAtStart)
        return;
    m_lastReadAtStart.clear();
    if (m_session->state() != ReadingSession::State::Empty || !m_session->openingBook().isEmpty())
        return;
    if (file.isFile)
        openBook(path);
    else
        openNewestBook();
}

void ShelfController::openNewestBook()
{
    const QStringList books = m_bookList.books();
    if (!books.isEmpty())
        openBook(books.first());
}

void ShelfController::openFromOutside(const QString &path)
{
    const QString problem = BookFileReader::whyNotOpenable(path);
    if (!problem.isEmpty()) {
        m_presenter->reportOpenFailure(path, problem);
        return;
    }
    addBooks({ path });
    openBook(path);
    m_views->show(ViewStack::Reading);
}

// The reader's choice holds for every later opening of the book.
void ShelfController::chooseEncoding()
{
    if (m_session->state() == ReadingSession::State::Empty)
        return;
    const QByteArray detected = m_library->recordFor(m_session->book()).encoding.toLatin1();
    EncodingDialog dialog(detected, m_session->encoding(), m_window);
    if (dialog.exec() == QDialog::Accepted && dialog.chosenEncoding() != m_session->encoding())
        reopenInEncoding(dialog.chosenEncoding());
}

void ShelfController::reopenInEncoding(const QByteArray &encoding)
{
    m_library->setEncodingOverride(m_session->book(), QString::fromLatin1(encoding));
    m_session->open(m_session->book(), m_session->place(), encoding);
}

QStringList ShelfController::droppedPaths(const QMimeData *data)
{
    QStringList paths;
    for (const QUrl &url : data->urls()) {
        const QFileInfo entry(url.toLocalFile());
        if (url.isLocalFile() && (entry.isDir() || entry.suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0))
            paths.append(entry.absoluteFilePath());
    }
    return paths;
}

// The drag's source waits for the drop to return; the books are taken in afterwards.
void ShelfController::takeDrop(const QStringList &paths)
{
    QTimer::singleShot(0, this, [this, paths] { addDroppedBooks(paths); });
}

// Dropped books join the shelf and the first is opened; dropped folders are scanned.
void ShelfController::addDroppedBooks(const QStringList &paths)
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

void ShelfController::showShelfMenu(const QString &path, const QPoint &globalPos)
{
    auto *menu = new ShelfContextMenu(path, m_prober->known(path),
                                      m_settings.shelfOrder() == Settings::ShelfOrder::LastRead, m_window);
    m_prober->probe(path);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu, &ShelfContextMenu::openChosen, this, &ShelfController::openFromShelf);
    connect(menu, &ShelfContextMenu::removeChosen, this, &ShelfController::offerToRemoveBook);
    connect(menu, &ShelfContextMenu::showInFolderChosen, this, [](const QString &book) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(book).absolutePath()));
    });
    connect(menu, &ShelfContextMenu::propertiesChosen, this, &ShelfController::showBookProperties);
    connect(menu, &ShelfContextMenu::lastReadFirstToggled, this, [this](bool on) {
        m_settings.setShelfOrder(on ? Settings::ShelfOrder::LastRead : Settings::ShelfOrder::Added);
        showBookList();
    });
    menu->popup(globalPos);
}

// The file stays where it is, and so does the library's record of it (place, bookmarks,
// reading time): the book is only hidden, and a book added again is read on where it was.
void ShelfController::removeFromShelf(const QString &path)
{
    m_bookList.remove(path);
    showBookList();
}

void ShelfController::offerToRemoveBook(const QString &path)
{
    const auto answer = QMessageBox::question(
            m_window, tr("从书架移除"),
            tr("要把“%1”从书架上移除吗？\n文件不会删除；阅读位置和书签会保留，再次添加这本书时恢复。")
                    .arg(BookshelfWidget::shelfTitle(path)),
            QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        removeFromShelf(path);
}

void ShelfController::showBookProperties(const QString &path)
{
    BookPropertiesDialog dialog(path, m_library->recordFor(path), m_window);
    if (const auto file = m_prober->known(path))
        dialog.showFile(*file);
    connect(m_prober, &FileProber::probed, &dialog, [&dialog, path](const QString &probed, const FileProber::Facts &file) {
        if (probed == path)
            dialog.showFile(file);
    });
    m_prober->probe(path);
    dialog.exec();
}

void ShelfController::offerToRemoveMissingBook(const QString &path)
{
    const auto answer = QMessageBox::question(
            m_window, tr("文件不存在"),
            tr("“%1”已不存在。\n要把它从书架上移除吗？阅读位置和书签会保留。").arg(QDir::toNativeSeparators(path)),
            QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        removeFromShelf(path);
}

// Each trouble told once, without stopping the reader: the reader works on without memory.
// A library told damaged at start may still fail to write later, and that is news.
void ShelfController::showLibraryNotice()
{
    const QString message = m_library->statusMessage();
    if (message.isEmpty() || m_libraryNoticesShown.contains(message))
        return;
    m_libraryNoticesShown.insert(message);
    auto *box = new QMessageBox(QMessageBox::Warning, tr("书库"), message, QMessageBox::Ok, m_window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void ShelfController::reset()
{
    m_library->clear();
    showBookList();
}
