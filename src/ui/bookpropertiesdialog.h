#ifndef BOOKPROPERTIESDIALOG_H
#define BOOKPROPERTIESDIALOG_H

#include "bookrecord.h"

#include <QDialog>

class QFormLayout;

// What is known of one book: where its file is and how large, the encoding it was read in,
// and how far the reader is.
class BookPropertiesDialog : public QDialog
{
    Q_OBJECT

public:
    BookPropertiesDialog(const QString &filePath, const BookRecord &record, QWidget *parent = nullptr);

private:
    void addRow(QFormLayout *form, const QString &label, const QString &value);
};

#endif
