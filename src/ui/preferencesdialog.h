#ifndef PREFERENCESDIALOG_H
#define PREFERENCESDIALOG_H

#include "typesetstyle.h"

#include <QDialog>
#include <QString>

namespace Ui {
class PreferencesDialog;
}

// The reader's preferences. Its layout page chooses between the original layout and the
// book layout and sets the book layout's line and paragraph spacing, indent, margins and
// justification, and whether a wide window shows two pages, with a preview of a page set that way; each change is sent at once.
class PreferencesDialog : public QDialog
{
    Q_OBJECT

public:
    PreferencesDialog(const TypesetStyle &style, const QString &margins, const QFont &font,
                      QWidget *parent = nullptr);
    ~PreferencesDialog() override;

    TypesetStyle style() const;
    QString margins() const;
    void setSpread(bool on);
    bool isSpread() const;

signals:
    void layoutChanged(const TypesetStyle &style, const QString &margins);
    void spreadToggled(bool on);

private:
    void showLayout(const TypesetStyle &style, const QString &margins);
    void onEdited();
    void enableBookSettings();

    Ui::PreferencesDialog *ui;
};

#endif
