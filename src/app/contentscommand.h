#ifndef CONTENTSCOMMAND_H
#define CONTENTSCOMMAND_H

#include "chapterdetector.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <vector>

class ChapterRule;

// "lexorin --contents FILE": prints the contents the reader shows for a book, with the
// chapter rule the reader chose for it, one heading a
// line as "level<TAB>line<TAB>title", the line counted from 0 in the file with any line ends,
// and exits without opening a window, so a heading rule can be checked from a terminal.
class ContentsCommand
{
public:
    static constexpr char Option[] = "--contents";

    // Whether the command line asks for the contents, looked at before any application
    // object exists: a window system need not be there.
    static bool isRequested(int argc, char *argv[]);
    // Prints the contents of the book the arguments name, or why it cannot; the exit code.
    static int run(const QStringList &arguments);

    // The printed lines for the headings of a text split into its lines.
    static QString format(const std::vector<QStringView> &lines, const std::vector<Chapter> &chapters);

private:
    static ChapterRule storedRuleOf(const QString &path);
};

#endif
