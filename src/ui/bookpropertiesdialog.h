#ifndef BOOKPROPERTIESDIALOG_H
#define BOOKPROPERTIESDIALOG_H

#include "bookrecord.h"

#include <QDialog>

class QFormLayout;

// What is known of one book: where its file is and how large, the encoding it was read in,
// how far the reader is and how long they have read it.
class BookPropertiesDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MinimumWidth = 420;

    BookPropertiesDialog(const QString &filePath, const BookRecord &record, QWidget *parent = nullptr);

private:
    static QString readingTime(qint64 seconds);
    void addRow(QFormLayout *form, const QString &label, const QString &value);
};

#endif
