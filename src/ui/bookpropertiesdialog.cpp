#include "bookpropertiesdialog.h"

#include "localdates.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

BookPropertiesDialog::BookPropertiesDialog(const QString &filePath, const BookRecord &record,
                                           QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("书籍属性"));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);

    addRow(form, tr("书名"), QFileInfo(filePath).completeBaseName());
    // The sample books live inside the program; their resource path means nothing to a reader.
    const bool sample = filePath.startsWith(u':');
    addRow(form, tr("位置"), sample ? tr("程序自带的示例书") : QDir::toNativeSeparators(filePath));
    m_size = addRow(form, tr("大小"), tr("正在查看……"));
    addRow(form, tr("编码"), record.encoding.isEmpty() ? tr("未知") : record.encoding);
    if (!record.encodingOverride.isEmpty())
        addRow(form, tr("指定编码"), record.encodingOverride);
    addRow(form, tr("进度"), record.textLength > 0 ? tr("%1%").arg(qRound(record.progress() * 100)) : tr("未读"));
    if (record.lastReadAt.isValid())
        addRow(form, tr("上次阅读"), LocalDates::shortDateTime(record.lastReadAt));
    if (record.readingSeconds > 0)
        addRow(form, tr("阅读时长"), readingTime(record.readingSeconds));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // Wide enough that a path of a few folders fits on a line or two, and no taller than
    // the wrapped texts need at that width.
    setMinimumWidth(MinimumWidth);
    resize(MinimumWidth, heightForWidth(MinimumWidth));
}

void BookPropertiesDialog::showFile(const FileProber::Facts &file)
{
    m_size->setText(file.exists ? QLocale().formattedDataSize(file.size) : tr("文件已不存在"));
}

QString BookPropertiesDialog::readingTime(qint64 seconds)
{
    const qint64 minutes = seconds / 60;
    if (minutes == 0)
        return tr("不到 1 分钟");
    if (minutes < 60)
        return tr("%1 分钟").arg(minutes);
    return tr("%1 小时 %2 分钟").arg(minutes / 60).arg(minutes % 60);
}

QLabel *BookPropertiesDialog::addRow(QFormLayout *form, const QString &label, const QString &value)
{
    auto *field = new QLabel(value, this);
    field->setTextInteractionFlags(Qt::TextSelectableByMouse);
    field->setWordWrap(true);
    form->addRow(label, field);
    return field;
}
