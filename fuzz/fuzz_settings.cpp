// Fills the settings store with arbitrary values, or with an arbitrary settings file, and
// starts the reader on it: whatever a hand-edited or damaged store holds, the reader starts.
#include "mainwindow.h"
#include "startup.h"

#include <QApplication>
#include <QThreadPool>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

const char *const Keys[] = {
    "recentFiles", "fontSize", "bgColor", "textColor", "textFontFamily", "textFontSize",
    "geometry", "windowState", "isFullscreen", "isSearchBarVisible", "language",
};

// Reads the input as a little stream of choices and bytes.
class Input
{
public:
    Input(const uint8_t *data, size_t size) : m_data(data), m_size(size) { }

    bool atEnd() const { return m_position >= m_size; }
    uint8_t byte() { return atEnd() ? 0 : m_data[m_position++]; }
    QByteArray bytes()
    {
        const size_t length = qMin<size_t>(byte(), m_size - qMin(m_position, m_size));
        QByteArray result(reinterpret_cast<const char *>(m_data + m_position), qsizetype(length));
        m_position += length;
        return result;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_position = 0;
};

QVariant arbitraryValue(Input &input)
{
    const QByteArray bytes = input.bytes();
    switch (input.byte() % 8) {
    case 0: return QString::fromUtf8(bytes);
    case 1: return bytes.isEmpty() ? 0 : int(qFromUnaligned<qint32>(bytes.leftJustified(4, '\0').constData()));
    case 2: return QString::fromUtf8(bytes).split(u',');
    case 3: return bytes.size() % 2 == 0;
    case 4: return bytes;
    case 5: return QColor(QString::fromLatin1(bytes));
    case 6: return bytes.toDouble();
    default: return QVariant();
    }
}

QString settingsFilePath()
{
    return QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath(QStringLiteral("Bookshelf/Lexorin.conf"));
}

}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QTemporaryDir configHome;
    static QTemporaryDir dataHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QDir(configHome.path()).mkpath(QStringLiteral("Bookshelf"));
    // Never destroyed: libFuzzer ends the process with exit(), and Qt's own global objects
    // may already be gone by the time a static application object would be torn down.
    static const QApplication *const app = new QApplication(*argc, *argv);
    Q_UNUSED(app);
    applyApplicationFont();
    // Pool threads end as soon as they are idle, taking their font caches with them, so
    // the leak check at exit sees no cache of a thread that is gone.
    QThreadPool::globalInstance()->setExpiryTimeout(0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input input(data, size);
    {
        QSettings store(QStringLiteral("Bookshelf"), QStringLiteral("Lexorin"));
        store.clear();
    }
    if (input.byte() % 2 == 0) {
        QFile file(settingsFilePath());
        if (file.open(QIODevice::WriteOnly))
            file.write(reinterpret_cast<const char *>(data), qsizetype(size));
    } else {
        QSettings store(QStringLiteral("Bookshelf"), QStringLiteral("Lexorin"));
        while (!input.atEnd())
            store.setValue(QLatin1String(Keys[input.byte() % std::size(Keys)]), arbitraryValue(input));
    }

    MainWindow window;
    window.show();
    QCoreApplication::processEvents();
    window.onZoomIn();
    window.onNextPage();
    return 0;
}
