#ifndef CLEANUPRULESDIALOG_H
#define CLEANUPRULESDIALOG_H

#include "bookcleanuprule.h"

#include <QDialog>
#include <QFileDialog>
#include <QFutureWatcher>
#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

class QListWidgetItem;

namespace Ui {
class CleanupRulesDialog;
}

// The clean-up rules of the open book: the built-in ones (turned on or off only) and the
// reader's, each turned on or off by its check box, added, edited or deleted, imported from
// and exported to a JSON file. How many lines of the book each rule drops or changes, and
// how many the rules remove in all, is counted on a worker thread when the dialog opens and
// again on each change or test.
class CleanupRulesDialog : public QDialog
{
    Q_OBJECT

public:
    // Asks for the file to import from or export to; an empty path when the reader gives none.
    using FileChooser = std::function<QString(QFileDialog::AcceptMode mode)>;

    // The book's text with "\n" line ends; bookLayout says whether the rules show on the page.
    CleanupRulesDialog(const std::vector<BookCleanupRule> &rules, const QString &bookText, bool bookLayout,
                       QWidget *parent = nullptr);
    ~CleanupRulesDialog() override;

    std::vector<BookCleanupRule> rules() const { return m_rules; }
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    // Whether the counts are those of the rules as they stand.
    bool isCounted() const;
    // For each rule, the lines of the book it drops or changes (0 for a rule turned off).
    const std::vector<int> &hits() const { return m_hits; }
    // The lines of the book the rules drop.
    int removedLines() const;

    void testRules();
    void importRules();
    void exportRules();

signals:
    void counted();

private:
    void showRules();
    void showCounts();
    void updateButtons();
    void takeCheckState(QListWidgetItem *item);
    void addRule();
    void editRule();
    void removeRule();
    void changeRules(std::vector<BookCleanupRule> rules);
    QString labelOf(size_t rule) const;
    QString chosenFile(QFileDialog::AcceptMode mode);

    Ui::CleanupRulesDialog *ui;
    std::vector<BookCleanupRule> m_rules;
    QString m_text;
    std::vector<QStringView> m_lines;
    std::vector<BookCleanupRule> m_countedRules;
    std::vector<int> m_hits;
    QFutureWatcher<std::vector<int>> m_counting;
    FileChooser m_chooseFile;
};

#endif
