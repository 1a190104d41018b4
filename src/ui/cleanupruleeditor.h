#ifndef CLEANUPRULEEDITOR_H
#define CLEANUPRULEEDITOR_H

#include "bookcleanuprule.h"

#include <QDialog>

namespace Ui {
class CleanupRuleEditor;
}

// Writes or changes one clean-up rule of the reader's: a plain text or a regular expression,
// dropping the whole line or replacing what it matches, for the open book or every book.
// A rule that cannot work (nothing to look for, an expression that does not compile) cannot
// be taken, and the editor says why.
class CleanupRuleEditor : public QDialog
{
    Q_OBJECT

public:
    explicit CleanupRuleEditor(const BookCleanupRule &rule, QWidget *parent = nullptr);
    ~CleanupRuleEditor() override;

    BookCleanupRule rule() const;

private:
    void checkRule();

    Ui::CleanupRuleEditor *ui;
    bool m_enabled;
};

#endif
