#include "bookdecoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

// Measures how many books of a labelled corpus come out as their authors wrote them: each
// NAME.txt is decoded and compared with NAME.expected (UTF-8). The corpus is made by
// scripts/make-decoding-corpus.py, into a temporary folder unless a folder is given.
namespace {

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
    return 0;
}
