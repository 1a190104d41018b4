#include "contentscommand.h"

#include "bookdecoder.h"
#include "bookfilereader.h"
#include "chapterrule.h"
#include "fileloader.h"
#include "librarydatabase.h"
#include "paginator.h"

#include <QCommandLineParser>

#include <cstdio>
#include <cstring>

namespace {

void write(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

}

bool ContentsCommand::isRequested(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], Option) == 0 || std::strncmp(argv[i], "--contents=", 11) == 0)
            return true;
    }
    return false;
}

int ContentsCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption contents(QString::fromLatin1(Option).mid(2),
                                      QStringLiteral("Print the contents of a book and exit."),
                                      QStringLiteral("file"));
    parser.addOption(contents);
    if (!parser.parse(arguments) || parser.value(contents).isEmpty()) {
        write(stderr, QStringLiteral("lexorin: %1\n").arg(parser.errorText()));
        return 2;
    }
    const QString path = parser.value(contents);
    const BookFileReader::Result read = BookFileReader(FileLoader::MaxFileSize).read(path);
    if (!read.error.isEmpty()) {
        write(stderr, QStringLiteral("lexorin: %1: %2\n").arg(path, read.error));
        return 1;
    }
    const QString text = BookDecoder::decode(read.bytes).text;
    const std::vector<QStringView> lines = Paginator::paragraphsOf(text);
    write(stdout, format(lines, storedRuleOf(path).contentsOf(lines)));
    return 0;
}

// The rule the reader chose for the book, if the library knows it; a library that cannot be
// read leaves the headings to be found automatically.
ChapterRule ContentsCommand::storedRuleOf(const QString &path)
{
    LibraryDatabase library;
    if (library.open() != LibraryDatabase::Status::Ready)
        return ChapterRule();
    return ChapterRule::fromKey(library.book(path).chapterRule);
}

QString ContentsCommand::format(const std::vector<QStringView> &lines, const std::vector<Chapter> &chapters)
{
    QString printed;
    size_t line = 0;
    qsizetype lineStart = 0;
    for (const Chapter &chapter : chapters) {
        while (line + 1 < lines.size() && lineStart + lines[line].size() < chapter.offset) {
            lineStart += lines[line].size() + 1;
            ++line;
        }
        printed += QStringLiteral("%1\t%2\t%3\n").arg(chapter.level).arg(line).arg(chapter.title);
    }
    return printed;
}
