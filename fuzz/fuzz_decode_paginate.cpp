// Feeds arbitrary bytes through what a book load does with a file's contents: decoding,
// splitting into paragraphs, measuring and cutting into pages. Beyond crashes, it checks
// that the pages hold exactly the decoded text.
#include "bookdecoder.h"
#include "paginator.h"
#include "startup.h"

#include <QApplication>

#include <cstdlib>

namespace {

QString normalizedLineEnds(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: libFuzzer ends the process with exit(), and Qt's own global objects
    // may already be gone by the time a static application object would be torn down.
    static const QApplication *const app = new QApplication(*argc, *argv);
    Q_UNUSED(app);
    applyApplicationFont();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = BookDecoder::decode(bytes).text;

    // A small page makes long paragraphs go on over pages quickly.
    const PageFormat format{ QFont(QStringLiteral("Microsoft YaHei"), 14), QSize(160, 120) };
    const std::vector<QString> pages = Paginator(format).paginate(text);

    if (pages.empty() || Paginator::textOf(pages) != normalizedLineEnds(text) + u'\n')
        std::abort();
    return 0;
}
