#include "bookdecoder.h"
#include "linecleaner.h"
#include "paginator.h"
#include "paragraphfinder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <set>

// How well the structure of a labelled corpus of books is read: the headings the real program
// prints with --contents, the paragraphs found in the hard-wrapped books and the lines the
// built-in clean-up rules drop, each against what the book's author put there, as precision
// and recall. The corpus is made by scripts/make-structure-corpus.py, into a temporary folder
// unless a folder is given.
namespace {

struct Tally
{
    qsizetype right = 0;
    qsizetype found = 0;
    qsizetype expected = 0;

    // Counts the found items that are expected, each expected one matching once.
    void add(QStringList found, QStringList expected)
    {
        this->found += found.size();
        this->expected += expected.size();
        for (const QString &item : found) {
            if (expected.removeOne(item))
                ++right;
        }
    }

    QString summary() const
    {
        const auto percent = [](qsizetype part, qsizetype whole) {
            return QString::number(whole == 0 ? 100.0 : 100.0 * double(part) / double(whole), 'f', 1);
        };
        return QStringLiteral("precision %1 %, recall %2 % (%3 right of %4 found, %5 expected)")
                .arg(percent(right, found), percent(right, expected))
                .arg(right)
                .arg(found)
                .arg(expected);
    }
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList printedContents(const QString &book)
{
    QProcess reader;
    reader.start(QStringLiteral(LEXORIN_BINARY), { QStringLiteral("--contents"), book });
    reader.waitForFinished();
    return QString::fromUtf8(reader.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

QStringList labelledHeadings(const QJsonArray &headings)
{
    QStringList lines;
    for (const QJsonValue &heading : headings) {
        const QJsonArray fields = heading.toArray();
        lines << QStringLiteral("%1\t%2\t%3").arg(fields[0].toInt()).arg(fields[1].toInt()).arg(fields[2].toString());
    }
    return lines;
}

QStringList strings(const QJsonArray &array)
{
    QStringList list;
    for (const QJsonValue &value : array)
        list << (value.isString() ? value.toString() : QString::number(value.toInt()));
    return list;
}

void report(QTextStream &out, const QString &book, const char *what, const QStringList &found, QStringList expected)
{
    QStringList missed = expected;
    QStringList wrong;
    for (const QString &item : found) {
        if (!missed.removeOne(item))
            wrong << item;
    }
    for (const QString &item : missed)
        out << book << ": " << what << " missed: " << QString(item).replace(u'\t', u' ') << '\n';
    for (const QString &item : wrong)
        out << book << ": " << what << " wrongly found: " << QString(item).replace(u'\t', u' ') << '\n';
}

bool generateCorpus(const QString &folder)
{
    const QString generator = QStringLiteral(LEXORIN_SOURCE_DIR "/scripts/make-structure-corpus.py");
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

    Tally headings;
    Tally paragraphs;
    Tally removed;
    int wrappingRight = 0;
    const QStringList books = QDir(folder).entryList({ QStringLiteral("*.txt") }, QDir::Files, QDir::Name);
    const LineCleaner cleaner;
    for (const QString &book : books) {
        const QString base = folder + u'/' + book.chopped(4);
        const QJsonObject labels = QJsonDocument::fromJson(readFile(base + QStringLiteral(".json"))).object();

        const QStringList foundHeadings = printedContents(base + QStringLiteral(".txt"));
        const QStringList expectedHeadings = labelledHeadings(labels[QStringLiteral("headings")].toArray());
        headings.add(foundHeadings, expectedHeadings);
        report(out, book, "heading", foundHeadings, expectedHeadings);

        const QString text = BookDecoder::decode(readFile(base + QStringLiteral(".txt"))).text;
        const std::vector<QStringView> lines = Paginator::paragraphsOf(text);
        std::vector<QStringView> kept;
        QStringList dropped;
        for (size_t line = 0; line < lines.size(); ++line) {
            if (cleaner.droppingRule(lines[line]) >= 0)
                dropped << QString::number(line);
            else
                kept.push_back(lines[line]);
        }
        const QStringList expectedRemoved = strings(labels[QStringLiteral("removed")].toArray());
        removed.add(dropped, expectedRemoved);
        report(out, book, "removed line", dropped, expectedRemoved);

        const ParagraphFinder finder(text, kept);
        const bool hardWrapped = labels[QStringLiteral("hardWrapped")].toBool();
        if (finder.isHardWrapped() == hardWrapped)
            ++wrappingRight;
        else
            out << book << ": judged " << (hardWrapped ? "not hard-wrapped\n" : "hard-wrapped\n");
        if (hardWrapped) {
            QStringList found;
            for (const TextRange &paragraph : finder.paragraphs())
                found << ParagraphFinder::textOf(text, paragraph);
            const QStringList expected = strings(labels[QStringLiteral("paragraphs")].toArray());
            paragraphs.add(found, expected);
            report(out, book, "paragraph", found, expected);
        }
    }
    out << books.size() << " books\n";
    out << "headings: " << headings.summary() << '\n';
    out << "paragraphs of hard-wrapped books: " << paragraphs.summary() << '\n';
    out << "hard wrapping judged right: " << wrappingRight << " of " << books.size() << " books\n";
    out << "lines removed by the built-in rules: " << removed.summary() << ", false removals "
        << removed.found - removed.right << '\n';
    return 0;
}
