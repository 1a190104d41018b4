#include "cleanuprulesdialog.h"
#include "ui_cleanuprulesdialog.h"

#include "cleanupruleeditor.h"
#include "cleanuprules.h"
#include "linecleaner.h"
#include "paginator.h"

#include <QFile>
#include <QPushButton>
#include <QSaveFile>
#include <QtConcurrent>

#include <numeric>

namespace {

constexpr int RuleRole = Qt::UserRole;

std::vector<CleanupRule> plainRules(const std::vector<BookCleanupRule> &rules)
{
    std::vector<CleanupRule> plain;
    plain.reserve(rules.size());
    for (const BookCleanupRule &rule : rules)
        plain.push_back(rule.rule);
    return plain;
}

}

CleanupRulesDialog::CleanupRulesDialog(const std::vector<BookCleanupRule> &rules, const QString &bookText,
                                       bool bookLayout, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CleanupRulesDialog)
    , m_rules(rules)
    , m_text(bookText)
    , m_lines(Paginator::paragraphsOf(m_text))
{
    ui->setupUi(this);
    ui->layoutNote->setVisible(!bookLayout);
    connect(ui->ruleList, &QListWidget::itemChanged, this, &CleanupRulesDialog::takeCheckState);
    connect(ui->ruleList, &QListWidget::currentRowChanged, this, &CleanupRulesDialog::updateButtons);
    connect(ui->ruleList, &QListWidget::itemDoubleClicked, this, &CleanupRulesDialog::editRule);
    connect(ui->addButton, &QPushButton::clicked, this, &CleanupRulesDialog::addRule);
    connect(ui->editButton, &QPushButton::clicked, this, &CleanupRulesDialog::editRule);
    connect(ui->removeButton, &QPushButton::clicked, this, &CleanupRulesDialog::removeRule);
    connect(ui->testButton, &QPushButton::clicked, this, &CleanupRulesDialog::testRules);
    connect(ui->importButton, &QPushButton::clicked, this, &CleanupRulesDialog::importRules);
    connect(ui->exportButton, &QPushButton::clicked, this, &CleanupRulesDialog::exportRules);
    connect(&m_counting, &QFutureWatcher<std::vector<int>>::finished, this, &CleanupRulesDialog::showCounts);
    showRules();
    testRules();
}

// A count still running works on the dialog's lines.
CleanupRulesDialog::~CleanupRulesDialog()
{
    m_counting.waitForFinished();
    delete ui;
}

bool CleanupRulesDialog::isCounted() const
{
    return !m_counting.isRunning() && m_countedRules == m_rules && m_hits.size() == m_rules.size();
}

int CleanupRulesDialog::removedLines() const
{
    int removed = 0;
    for (size_t rule = 0; rule < m_hits.size() && rule < m_rules.size(); ++rule) {
        if (m_rules[rule].rule.scope == CleanupRule::Scope::WholeLine)
            removed += m_hits[rule];
    }
    return removed;
}

// Counting a 40 MB book takes a moment, so it runs beside the dialog; a change meanwhile is
// counted once the count running ends.
void CleanupRulesDialog::testRules()
{
    if (m_counting.isRunning())
        return;
    m_countedRules = m_rules;
    m_hits.clear();
    ui->testButton->setEnabled(false);
    ui->countLabel->setText(tr("正在统计…"));
    m_counting.setFuture(QtConcurrent::run([lines = m_lines, rules = plainRules(m_rules)] {
        return LineCleaner(rules).hits(lines);
    }));
}

void CleanupRulesDialog::showCounts()
{
    if (m_countedRules != m_rules) {
        testRules();
        return;
    }
    m_hits = m_counting.result();
    ui->testButton->setEnabled(true);
    const int changed = std::accumulate(m_hits.begin(), m_hits.end(), 0) - removedLines();
    ui->countLabel->setText(tr("清理规则从本书去掉了 %1 行，改动了 %2 行。").arg(removedLines()).arg(changed));
    showRules();
    emit counted();
}

void CleanupRulesDialog::showRules()
{
    const QSignalBlocker blocker(ui->ruleList);
    const int current = ui->ruleList->currentRow();
    ui->ruleList->clear();
    for (size_t rule = 0; rule < m_rules.size(); ++rule) {
        auto *item = new QListWidgetItem(labelOf(rule), ui->ruleList);
        item->setData(RuleRole, int(rule));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(m_rules[rule].rule.enabled ? Qt::Checked : Qt::Unchecked);
    }
    ui->ruleList->setCurrentRow(qMin(current, ui->ruleList->count() - 1));
    updateButtons();
}

QString CleanupRulesDialog::labelOf(size_t rule) const
{
    const BookCleanupRule &shown = m_rules[rule];
    const QString where = shown.rule.isBuiltIn() ? tr("内置") : shown.forAllBooks ? tr("所有书籍") : tr("本书");
    QString label = tr("%1（%2）").arg(shown.rule.name, where);
    if (shown.rule.enabled && isCounted())
        label += tr("：%1 行").arg(m_hits[rule]);
    return label;
}

// Built-in rules are only turned on or off.
void CleanupRulesDialog::updateButtons()
{
    const int row = ui->ruleList->currentRow();
    const bool own = row >= 0 && !m_rules[size_t(row)].rule.isBuiltIn();
    ui->editButton->setEnabled(own);
    ui->removeButton->setEnabled(own);
}

void CleanupRulesDialog::takeCheckState(QListWidgetItem *item)
{
    std::vector<BookCleanupRule> rules = m_rules;
    rules[size_t(item->data(RuleRole).toInt())].rule.enabled = item->checkState() == Qt::Checked;
    changeRules(std::move(rules));
}

void CleanupRulesDialog::addRule()
{
    BookCleanupRule fresh;
    fresh.forAllBooks = false;
    CleanupRuleEditor editor(fresh, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    std::vector<BookCleanupRule> rules = m_rules;
    rules.push_back(editor.rule());
    changeRules(std::move(rules));
    ui->ruleList->setCurrentRow(ui->ruleList->count() - 1);
}

void CleanupRulesDialog::editRule()
{
    const int row = ui->ruleList->currentRow();
    if (row < 0 || m_rules[size_t(row)].rule.isBuiltIn())
        return;
    CleanupRuleEditor editor(m_rules[size_t(row)], this);
    if (editor.exec() != QDialog::Accepted)
        return;
    std::vector<BookCleanupRule> rules = m_rules;
    rules[size_t(row)] = editor.rule();
    changeRules(std::move(rules));
}

void CleanupRulesDialog::removeRule()
{
    const int row = ui->ruleList->currentRow();
    if (row < 0 || m_rules[size_t(row)].rule.isBuiltIn())
        return;
    std::vector<BookCleanupRule> rules = m_rules;
    rules.erase(rules.begin() + row);
    changeRules(std::move(rules));
}

void CleanupRulesDialog::changeRules(std::vector<BookCleanupRule> rules)
{
    if (rules == m_rules)
        return;
    m_rules = std::move(rules);
    ui->messageLabel->clear();
    showRules();
    testRules();
}

// A file that is not a list of rules changes nothing.
void CleanupRulesDialog::importRules()
{
    const QString path = chosenFile(QFileDialog::AcceptOpen);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ui->messageLabel->setText(tr("无法读取文件：%1").arg(file.errorString()));
        return;
    }
    QString error;
    const std::optional<std::vector<BookCleanupRule>> read = CleanupRules::fromJson(file.readAll(), &error);
    if (!read) {
        ui->messageLabel->setText(tr("没有导入：%1").arg(error));
        return;
    }
    changeRules(CleanupRules::merged(m_rules, *read));
    ui->messageLabel->setText(tr("导入了 %1 条规则。").arg(read->size()));
}

void CleanupRulesDialog::exportRules()
{
    const QString path = chosenFile(QFileDialog::AcceptSave);
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(CleanupRules::toJson(m_rules)) < 0 || !file.commit()) {
        ui->messageLabel->setText(tr("无法写入文件：%1").arg(file.errorString()));
        return;
    }
    ui->messageLabel->setText(tr("导出了 %1 条规则。").arg(m_rules.size()));
}

QString CleanupRulesDialog::chosenFile(QFileDialog::AcceptMode mode)
{
    if (m_chooseFile)
        return m_chooseFile(mode);
    const QString filter = tr("JSON 文件 (*.json)");
    return mode == QFileDialog::AcceptSave
            ? QFileDialog::getSaveFileName(this, tr("导出清理规则"), tr("清理规则.json"), filter)
            : QFileDialog::getOpenFileName(this, tr("导入清理规则"), QString(), filter);
}
