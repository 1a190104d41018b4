#include "bookdecoder.h"
#include "bookgenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <limits>

// Measures how many books of a labelled corpus come out as their authors wrote them: each
// NAME.txt is decoded and compared with NAME.expected (UTF-8). The corpus is made by
// scripts/make-decoding-corpus.py, into a temporary folder unless a folder is given.
// Then times the decoding of a 20 MB novel in the encodings most books come in.
namespace {

void timeDecoding(QTextStream &out)
{
    const QString novel = BookGenerator::chineseNovel(20 * 1024 * 1024);
    for (const char *encoding : { "UTF-8", "GBK", "UTF-16LE" }) {
        const QByteArray bytes = BookGenerator::encoded(novel, encoding);
        constexpr int Runs = 5;
        qint64 fastest = std::numeric_limits<qint64>::max();
        for (int run = 0; run < Runs; ++run) {
            QElapsedTimer clock;
            clock.start();
            const BookDecoder::Result result = BookDecoder::decode(bytes);
            fastest = qMin(fastest, clock.elapsed());
            if (result.text.size() != novel.size())
                out << "wrong text for " << encoding << '\n';
        }
        out << "decode " << bytes.size() / (1024 * 1024) << " MB of " << encoding << ": "
            << fastest << " ms (fastest of " << Runs << ")\n";
    }
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool generateCorpus(const QString &folder)
{
    const QString generator = QStringLiteral(LEXORIN_SOURCE_DIR "/scripts/make-decoding-corpus.py");
    return QProcess::execute(QStringLiteral("python3"), { generator, folder }) == 0;
}

}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir temporary;
    QString folder = app.arguments().value(1);
    if (folder.isEmpty()) {
        folder = temporary.path();
        if (!generateCorpus(folder)) {
            out << "could not generate the corpus\n";
            return 1;
        }
    }

    const QStringList books = QDir(folder).entryList({ QStringLiteral("*.txt") }, QDir::Files,
                                                     QDir::Name);
    int right = 0;
    for (const QString &book : books) {
        const QString base = folder + u'/' + book.chopped(4);
        const BookDecoder::Result result = BookDecoder::decode(readFile(base + QStringLiteral(".txt")));
        const QString expected = QString::fromUtf8(readFile(base + QStringLiteral(".expected")));
        if (result.text == expected)
            ++right;
        else
            out << "wrong: " << book << " (decoded as " << result.encoding << ")\n";
    }
    out << "decoded right: " << right << " of " << books.size() << " books ("
        << QString::number(books.isEmpty() ? 0.0 : 100.0 * right / books.size(), 'f', 1)
        << " %)\n";
    out.flush();
    timeDecoding(out);
    return 0;
}
