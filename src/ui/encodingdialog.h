#ifndef ENCODINGDIALOG_H
#define ENCODINGDIALOG_H

#include <QByteArray>
#include <QDialog>

namespace Ui {
class EncodingDialog;
}
class QTreeWidgetItem;

// Chooses the encoding a book is read in: automatic detection, naming what it found, or one
// of the encodings the decoder knows, grouped by language under readable names and found
// by typing part of a name.
class EncodingDialog : public QDialog
{
    Q_OBJECT

public:
    // `detected` is what detection found for the book (empty when unknown); `current` the
    // encoding the reader chose for it (empty for automatic detection).
    EncodingDialog(const QByteArray &detected, const QByteArray &current, QWidget *parent = nullptr);
    ~EncodingDialog() override;

    // The encoding chosen when the dialog was accepted; empty for automatic detection.
    QByteArray chosenEncoding() const;
    // Makes an encoding the choice, as a click on its row does.
    void choose(const QByteArray &encoding);

private:
    void fill(const QByteArray &detected, const QByteArray &current);
    QTreeWidgetItem *groupItem(const QString &group);
    void applyFilter(const QString &text);
    void selectFirstShownEncoding();
    // "GB18030（国标…）": the encoding with what a reader calls it.
    static QString describe(const QByteArray &encoding);
    void updateOkButton();

    Ui::EncodingDialog *ui;
};

#endif
