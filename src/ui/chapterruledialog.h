#ifndef CHAPTERRULEDIALOG_H
#define CHAPTERRULEDIALOG_H

#include "chapterrule.h"

#include <QDialog>
#include <QString>
#include <QStringView>

#include <vector>

namespace Ui {
class ChapterRuleDialog;
}

// Chooses how the headings of the open book are found: automatically, by a named kind of
// heading line, or by a regular expression of the reader's own. Whatever is chosen or typed
// is tried at once on the book: the dialog lists the headings it finds and counts them, and
// says what is wrong with an expression that cannot be used.
class ChapterRuleDialog : public QDialog
{
    Q_OBJECT

public:
    // The book's text with "\n" line ends, which the dialog keeps no copy of.
    ChapterRuleDialog(const ChapterRule &current, QStringView bookText, QWidget *parent = nullptr);
    ~ChapterRuleDialog() override;

    ChapterRule chosenRule() const;
    int headingCount() const;

private:
    void showKind();
    void tryRule();

    Ui::ChapterRuleDialog *ui;
    std::vector<QStringView> m_lines;
};

#endif
