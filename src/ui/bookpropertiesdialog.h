#ifndef BOOKPROPERTIESDIALOG_H
#define BOOKPROPERTIESDIALOG_H

#include "bookrecord.h"
#include "fileprober.h"

#include <QDialog>

class QFormLayout;
class QLabel;

// What is known of one book: where its file is and how large, the encoding it was read in,
// how far the reader is and how long they have read it. The file's size is shown once it is
// known: looking at the file may take long on a slow mount.
class BookPropertiesDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MinimumWidth = 420;

    BookPropertiesDialog(const QString &filePath, const BookRecord &record, QWidget *parent = nullptr);

    void showFile(const FileProber::Facts &file);

private:
    static QString readingTime(qint64 seconds);
    QLabel *addRow(QFormLayout *form, const QString &label, const QString &value);

    QLabel *m_size;
};

#endif
