#include "encodingdialog.h"
#include "ui_encodingdialog.h"

#include "bookdecoder.h"

#include <QPushButton>

namespace {

enum Role { EncodingRole = Qt::UserRole, IsEncodingRole };
// A group's name spans the row from the first column, where an encoding's row has its tick.
enum Column { TickColumn, EncodingColumn, NameColumn, GroupColumn = TickColumn };

struct EncodingName
{
    const char *encoding;
    const char *group;
    const char *name;
};

// What a reader calls each encoding the decoder offers, and the language it is for.
constexpr EncodingName EncodingNames[] = {
    { "UTF-8", QT_TRANSLATE_NOOP("EncodingDialog", "Unicode"), QT_TRANSLATE_NOOP("EncodingDialog", "Unicode（最常见）") },
    { "UTF-16LE", QT_TRANSLATE_NOOP("EncodingDialog", "Unicode"), QT_TRANSLATE_NOOP("EncodingDialog", "Unicode，小端序（Windows 的“Unicode”）") },
    { "UTF-16BE", QT_TRANSLATE_NOOP("EncodingDialog", "Unicode"), QT_TRANSLATE_NOOP("EncodingDialog", "Unicode，大端序") },
    { "UTF-32LE", QT_TRANSLATE_NOOP("EncodingDialog", "Unicode"), QT_TRANSLATE_NOOP("EncodingDialog", "Unicode 四字节，小端序") },
    { "UTF-32BE", QT_TRANSLATE_NOOP("EncodingDialog", "Unicode"), QT_TRANSLATE_NOOP("EncodingDialog", "Unicode 四字节，大端序") },
    { "GB18030", QT_TRANSLATE_NOOP("EncodingDialog", "中文（简体）"), QT_TRANSLATE_NOOP("EncodingDialog", "国标（含 GBK、GB2312）") },
    { "HZ-GB-2312", QT_TRANSLATE_NOOP("EncodingDialog", "中文（简体）"), QT_TRANSLATE_NOOP("EncodingDialog", "HZ（旧时的邮件与新闻组）") },
    { "ISO-2022-CN", QT_TRANSLATE_NOOP("EncodingDialog", "中文（简体）"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO-2022 中文") },
    { "BIG5", QT_TRANSLATE_NOOP("EncodingDialog", "中文（繁体）"), QT_TRANSLATE_NOOP("EncodingDialog", "大五码（台湾、香港）") },
    { "EUC-TW", QT_TRANSLATE_NOOP("EncodingDialog", "中文（繁体）"), QT_TRANSLATE_NOOP("EncodingDialog", "EUC 繁体中文") },
    { "SHIFT_JIS", QT_TRANSLATE_NOOP("EncodingDialog", "日文"), QT_TRANSLATE_NOOP("EncodingDialog", "Shift_JIS（Windows 日文）") },
    { "EUC-JP", QT_TRANSLATE_NOOP("EncodingDialog", "日文"), QT_TRANSLATE_NOOP("EncodingDialog", "EUC 日文") },
    { "ISO-2022-JP", QT_TRANSLATE_NOOP("EncodingDialog", "日文"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO-2022 日文（邮件）") },
    { "windows-949", QT_TRANSLATE_NOOP("EncodingDialog", "韩文"), QT_TRANSLATE_NOOP("EncodingDialog", "Windows 韩文（含 EUC-KR）") },
    { "ISO-2022-KR", QT_TRANSLATE_NOOP("EncodingDialog", "韩文"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO-2022 韩文（邮件）") },
    { "windows-1251", QT_TRANSLATE_NOOP("EncodingDialog", "西里尔文"), QT_TRANSLATE_NOOP("EncodingDialog", "Windows 西里尔文（俄文等）") },
    { "KOI8-R", QT_TRANSLATE_NOOP("EncodingDialog", "西里尔文"), QT_TRANSLATE_NOOP("EncodingDialog", "KOI8 俄文") },
    { "IBM866", QT_TRANSLATE_NOOP("EncodingDialog", "西里尔文"), QT_TRANSLATE_NOOP("EncodingDialog", "DOS 俄文") },
    { "ISO-8859-5", QT_TRANSLATE_NOOP("EncodingDialog", "西里尔文"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO 西里尔文") },
    { "IBM855", QT_TRANSLATE_NOOP("EncodingDialog", "西里尔文"), QT_TRANSLATE_NOOP("EncodingDialog", "DOS 西里尔文") },
    { "MAC-CYRILLIC", QT_TRANSLATE_NOOP("EncodingDialog", "西里尔文"), QT_TRANSLATE_NOOP("EncodingDialog", "Mac 西里尔文") },
    { "windows-1252", QT_TRANSLATE_NOOP("EncodingDialog", "西欧"), QT_TRANSLATE_NOOP("EncodingDialog", "Windows 西欧（英文、法文、德文等）") },
    { "ISO-8859-15", QT_TRANSLATE_NOOP("EncodingDialog", "西欧"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO 西欧（含欧元符号）") },
    { "ISO-8859-3", QT_TRANSLATE_NOOP("EncodingDialog", "西欧"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO 南欧（马耳他文、世界语）") },
    { "ISO-8859-4", QT_TRANSLATE_NOOP("EncodingDialog", "西欧"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO 北欧（旧）") },
    { "ISO-8859-9", QT_TRANSLATE_NOOP("EncodingDialog", "西欧"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO 土耳其文") },
    { "ISO-8859-10", QT_TRANSLATE_NOOP("EncodingDialog", "西欧"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO 北欧") },
    { "ISO-8859-13", QT_TRANSLATE_NOOP("EncodingDialog", "波罗的海文"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO 波罗的海文") },
    { "windows-1257", QT_TRANSLATE_NOOP("EncodingDialog", "波罗的海文"), QT_TRANSLATE_NOOP("EncodingDialog", "Windows 波罗的海文") },
    { "windows-1250", QT_TRANSLATE_NOOP("EncodingDialog", "中欧"), QT_TRANSLATE_NOOP("EncodingDialog", "Windows 中欧（波兰文、捷克文等）") },
    { "ISO-8859-2", QT_TRANSLATE_NOOP("EncodingDialog", "中欧"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO 中欧") },
    { "IBM852", QT_TRANSLATE_NOOP("EncodingDialog", "中欧"), QT_TRANSLATE_NOOP("EncodingDialog", "DOS 中欧") },
    { "MAC-CENTRALEUROPE", QT_TRANSLATE_NOOP("EncodingDialog", "中欧"), QT_TRANSLATE_NOOP("EncodingDialog", "Mac 中欧") },
    { "windows-1253", QT_TRANSLATE_NOOP("EncodingDialog", "希腊文"), QT_TRANSLATE_NOOP("EncodingDialog", "Windows 希腊文") },
    { "ISO-8859-7", QT_TRANSLATE_NOOP("EncodingDialog", "希腊文"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO 希腊文") },
    { "windows-1255", QT_TRANSLATE_NOOP("EncodingDialog", "希伯来文"), QT_TRANSLATE_NOOP("EncodingDialog", "Windows 希伯来文") },
    { "ISO-8859-8", QT_TRANSLATE_NOOP("EncodingDialog", "希伯来文"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO 希伯来文") },
    { "windows-1256", QT_TRANSLATE_NOOP("EncodingDialog", "阿拉伯文"), QT_TRANSLATE_NOOP("EncodingDialog", "Windows 阿拉伯文") },
    { "ISO-8859-6", QT_TRANSLATE_NOOP("EncodingDialog", "阿拉伯文"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO 阿拉伯文") },
    { "TIS-620", QT_TRANSLATE_NOOP("EncodingDialog", "泰文"), QT_TRANSLATE_NOOP("EncodingDialog", "TIS 泰文") },
    { "ISO-8859-11", QT_TRANSLATE_NOOP("EncodingDialog", "泰文"), QT_TRANSLATE_NOOP("EncodingDialog", "ISO 泰文") },
    { "windows-1258", QT_TRANSLATE_NOOP("EncodingDialog", "越南文"), QT_TRANSLATE_NOOP("EncodingDialog", "Windows 越南文") },
};

const EncodingName *nameOf(const QByteArray &encoding)
{
    for (const EncodingName &name : EncodingNames) {
        if (encoding.compare(name.encoding, Qt::CaseInsensitive) == 0)
            return &name;
    }
    return nullptr;
}

bool sameEncoding(const QByteArray &a, const QByteArray &b)
{
    return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
}

const QString Tick = QStringLiteral("✓");

}

EncodingDialog::EncodingDialog(const QByteArray &detected, const QByteArray &current, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::EncodingDialog)
{
    ui->setupUi(this);
    ui->encodingTree->setHeaderHidden(true);
    fill(detected, current);
    ui->encodingTree->expandAll();
    for (int column : { TickColumn, EncodingColumn })
        ui->encodingTree->resizeColumnToContents(column);
    ui->filterEdit->setFocus();

    connect(ui->filterEdit, &QLineEdit::textChanged, this, &EncodingDialog::applyFilter);
    connect(ui->encodingTree, &QTreeWidget::currentItemChanged, this, &EncodingDialog::updateOkButton);
    connect(ui->encodingTree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) {
        if (item->data(0, IsEncodingRole).toBool())
            accept();
    });
}

EncodingDialog::~EncodingDialog()
{
    delete ui;
}

// The row in use carries the tick: the chosen encoding, or automatic detection together with
// the encoding it found.
void EncodingDialog::fill(const QByteArray &detected, const QByteArray &current)
{
    ui->detectedLabel->setText(tr("检测到的编码：%1").arg(detected.isEmpty() ? tr("未知") : describe(detected)));

    auto *automatic = new QTreeWidgetItem(ui->encodingTree);
    automatic->setText(EncodingColumn, tr("自动检测"));
    automatic->setText(NameColumn, tr("按本书的内容决定"));
    automatic->setData(0, IsEncodingRole, true);
    QTreeWidgetItem *inUse = automatic;

    for (const QByteArray &encoding : BookDecoder::overrideEncodings()) {
        const EncodingName *name = nameOf(encoding);
        auto *item = new QTreeWidgetItem(groupItem(name ? tr(name->group) : tr("其他")));
        item->setText(EncodingColumn, QString::fromLatin1(encoding));
        item->setText(NameColumn, name ? tr(name->name) : QString());
        item->setData(0, EncodingRole, encoding);
        item->setData(0, IsEncodingRole, true);
        const bool chosen = sameEncoding(encoding, current);
        if (chosen || (current.isEmpty() && sameEncoding(encoding, detected)))
            item->setText(TickColumn, Tick);
        if (chosen)
            inUse = item;
    }
    inUse->setText(TickColumn, Tick);
    ui->encodingTree->setCurrentItem(inUse);
    updateOkButton();
}

QString EncodingDialog::describe(const QByteArray &encoding)
{
    const EncodingName *name = nameOf(encoding);
    return name ? tr("%1（%2）").arg(QString::fromLatin1(name->encoding), tr(name->name))
                : QString::fromLatin1(encoding);
}

QTreeWidgetItem *EncodingDialog::groupItem(const QString &group)
{
    for (int i = 0; i < ui->encodingTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = ui->encodingTree->topLevelItem(i);
        if (!item->data(0, IsEncodingRole).toBool() && item->text(GroupColumn) == group)
            return item;
    }
    auto *item = new QTreeWidgetItem(ui->encodingTree);
    item->setText(GroupColumn, group);
    item->setFlags(Qt::ItemIsEnabled);
    item->setFirstColumnSpanned(true);
    return item;
}

// A group stays in view while any of its encodings matches, and shows all of them when its
// own name matches.
void EncodingDialog::applyFilter(const QString &text)
{
    const auto matches = [&text](const QTreeWidgetItem *item) {
        return text.isEmpty() || item->text(EncodingColumn).contains(text, Qt::CaseInsensitive)
                || item->text(NameColumn).contains(text, Qt::CaseInsensitive);
    };
    const auto groupMatches = [&text](const QTreeWidgetItem *group) {
        return text.isEmpty() || group->text(GroupColumn).contains(text, Qt::CaseInsensitive);
    };
    for (int i = 0; i < ui->encodingTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = ui->encodingTree->topLevelItem(i);
        if (top->data(0, IsEncodingRole).toBool()) {
            top->setHidden(!matches(top));
            continue;
        }
        const bool wholeGroup = groupMatches(top);
        bool anyShown = false;
        for (int j = 0; j < top->childCount(); ++j) {
            const bool shown = wholeGroup || matches(top->child(j));
            top->child(j)->setHidden(!shown);
            anyShown = anyShown || shown;
        }
        top->setHidden(!anyShown);
    }
    if (!ui->encodingTree->currentItem() || ui->encodingTree->currentItem()->isHidden())
        selectFirstShownEncoding();
    updateOkButton();
}

void EncodingDialog::selectFirstShownEncoding()
{
    for (QTreeWidgetItemIterator it(ui->encodingTree, QTreeWidgetItemIterator::NotHidden); *it; ++it) {
        if ((*it)->data(0, IsEncodingRole).toBool()) {
            ui->encodingTree->setCurrentItem(*it);
            return;
        }
    }
}

void EncodingDialog::updateOkButton()
{
    const QTreeWidgetItem *current = ui->encodingTree->currentItem();
    const bool usable = current && !current->isHidden() && current->data(0, IsEncodingRole).toBool();
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(usable);
}

QByteArray EncodingDialog::chosenEncoding() const
{
    const QTreeWidgetItem *current = ui->encodingTree->currentItem();
    return current ? current->data(0, EncodingRole).toByteArray() : QByteArray();
}

void EncodingDialog::choose(const QByteArray &encoding)
{
    for (QTreeWidgetItemIterator it(ui->encodingTree); *it; ++it) {
        if ((*it)->data(0, IsEncodingRole).toBool()
                && (*it)->data(0, EncodingRole).toByteArray() == encoding) {
            ui->encodingTree->setCurrentItem(*it);
            return;
        }
    }
}
