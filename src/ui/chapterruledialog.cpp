#include "chapterruledialog.h"
#include "ui_chapterruledialog.h"

#include "paginator.h"

#include <QPushButton>

namespace {

// More headings than this are counted but not all listed.
constexpr int ListedHeadings = 2000;

}

ChapterRuleDialog::ChapterRuleDialog(const ChapterRule &current, QStringView bookText, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ChapterRuleDialog)
    , m_lines(Paginator::paragraphsOf(bookText))
{
    ui->setupUi(this);
    for (ChapterRule::Kind kind : ChapterRule::kinds())
        ui->kindBox->addItem(ChapterRule::nameOf(kind), int(kind));
    ui->kindBox->setCurrentIndex(ui->kindBox->findData(int(current.kind())));
    ui->patternEdit->setText(current.pattern());
    connect(ui->kindBox, &QComboBox::currentIndexChanged, this, &ChapterRuleDialog::showKind);
    connect(ui->patternEdit, &QLineEdit::textChanged, this, &ChapterRuleDialog::tryRule);
    showKind();
}

ChapterRuleDialog::~ChapterRuleDialog()
{
    delete ui;
}

ChapterRule ChapterRuleDialog::chosenRule() const
{
    return ChapterRule(ChapterRule::Kind(ui->kindBox->currentData().toInt()), ui->patternEdit->text());
}

int ChapterRuleDialog::headingCount() const
{
    return int(chosenRule().headingsIn(m_lines).size());
}

// A named kind shows its expression for the reader to start their own from.
void ChapterRuleDialog::showKind()
{
    const auto kind = ChapterRule::Kind(ui->kindBox->currentData().toInt());
    const bool own = kind == ChapterRule::Kind::Pattern;
    ui->patternEdit->setReadOnly(!own);
    if (!own)
        ui->patternEdit->setText(ChapterRule(kind).pattern());
    tryRule();
}

void ChapterRuleDialog::tryRule()
{
    const ChapterRule rule = chosenRule();
    ui->headingList->clear();
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(rule.isValid());
    if (!rule.isValid()) {
        ui->countLabel->setText(rule.pattern().isEmpty() ? tr("请输入正则表达式。")
                                                         : tr("正则表达式有误：%1").arg(rule.error()));
        return;
    }
    const std::vector<Chapter> headings = rule.headingsIn(m_lines);
    ui->countLabel->setText(headings.empty() ? tr("没有找到章节标题，目录将按段落分节。")
                                             : tr("找到 %1 个章节标题。").arg(headings.size()));
    for (size_t i = 0; i < headings.size() && i < ListedHeadings; ++i)
        ui->headingList->addItem(headings[i].title);
}
