#include "cleanupruleeditor.h"
#include "ui_cleanupruleeditor.h"

#include "linecleaner.h"

#include <QPushButton>
#include <QRegularExpression>

CleanupRuleEditor::CleanupRuleEditor(const BookCleanupRule &rule, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CleanupRuleEditor)
    , m_enabled(rule.rule.enabled)
{
    ui->setupUi(this);
    ui->kindBox->addItem(tr("纯文本"), int(CleanupRule::Kind::PlainText));
    ui->kindBox->addItem(tr("正则表达式"), int(CleanupRule::Kind::RegularExpression));
    ui->scopeBox->addItem(tr("删去整行"), int(CleanupRule::Scope::WholeLine));
    ui->scopeBox->addItem(tr("替换找到的文字"), int(CleanupRule::Scope::Span));
    ui->booksBox->addItem(tr("本书"), false);
    ui->booksBox->addItem(tr("所有书籍"), true);
    ui->nameEdit->setText(rule.rule.name);
    ui->kindBox->setCurrentIndex(ui->kindBox->findData(int(rule.rule.kind)));
    ui->patternEdit->setText(rule.rule.pattern);
    ui->scopeBox->setCurrentIndex(ui->scopeBox->findData(int(rule.rule.scope)));
    ui->replacementEdit->setText(rule.rule.replacement);
    ui->booksBox->setCurrentIndex(ui->booksBox->findData(rule.forAllBooks));
    connect(ui->kindBox, &QComboBox::currentIndexChanged, this, &CleanupRuleEditor::checkRule);
    connect(ui->scopeBox, &QComboBox::currentIndexChanged, this, &CleanupRuleEditor::checkRule);
    connect(ui->patternEdit, &QLineEdit::textChanged, this, &CleanupRuleEditor::checkRule);
    checkRule();
}

CleanupRuleEditor::~CleanupRuleEditor()
{
    delete ui;
}

// A rule without a name is named by what it looks for.
BookCleanupRule CleanupRuleEditor::rule() const
{
    const QString name = ui->nameEdit->text().trimmed();
    return { { name.isEmpty() ? ui->patternEdit->text() : name,
               CleanupRule::Kind(ui->kindBox->currentData().toInt()), ui->patternEdit->text(),
               CleanupRule::Scope(ui->scopeBox->currentData().toInt()), ui->replacementEdit->text(), m_enabled },
             ui->booksBox->currentData().toBool() };
}

void CleanupRuleEditor::checkRule()
{
    const CleanupRule edited = rule().rule;
    ui->replacementEdit->setEnabled(edited.scope == CleanupRule::Scope::Span);
    const bool valid = LineCleaner::isValid(edited);
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(valid);
    if (valid)
        ui->problemLabel->clear();
    else if (edited.pattern.isEmpty())
        ui->problemLabel->setText(tr("请输入要查找的文字。"));
    else
        ui->problemLabel->setText(tr("正则表达式有误：%1").arg(QRegularExpression(edited.pattern).errorString()));
}
