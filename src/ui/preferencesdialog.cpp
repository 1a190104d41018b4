#include "preferencesdialog.h"
#include "ui_preferencesdialog.h"

#include "layoutcontroller.h"
#include "settings.h"

PreferencesDialog::PreferencesDialog(const TypesetStyle &style, const QString &margins,
                                     const QFont &font, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::PreferencesDialog)
{
    ui->setupUi(this);
    ui->layoutBox->setItemData(0, false);
    ui->layoutBox->setItemData(1, true);
    for (int i = 0; i < Settings::MarginNames.size(); ++i)
        ui->marginsBox->setItemData(i, Settings::MarginNames.at(i));
    ui->lineSpacingBox->setRange(Settings::MinimumLineSpacing, Settings::MaximumLineSpacing);
    ui->paragraphSpacingBox->setRange(0, Settings::MaximumParagraphSpacing);
    ui->indentBox->setRange(0.0, Settings::MaximumIndent);
    ui->preview->setTextFont(font);
    showLayout(style, margins);

    connect(ui->layoutBox, &QComboBox::currentIndexChanged, this, &PreferencesDialog::onEdited);
    connect(ui->marginsBox, &QComboBox::currentIndexChanged, this, &PreferencesDialog::onEdited);
    connect(ui->lineSpacingBox, &QSpinBox::valueChanged, this, &PreferencesDialog::onEdited);
    connect(ui->paragraphSpacingBox, &QSpinBox::valueChanged, this, &PreferencesDialog::onEdited);
    connect(ui->indentBox, &QDoubleSpinBox::valueChanged, this, &PreferencesDialog::onEdited);
    connect(ui->justifyBox, &QCheckBox::toggled, this, &PreferencesDialog::onEdited);
    connect(ui->spreadBox, &QCheckBox::toggled, this, &PreferencesDialog::spreadToggled);
}

PreferencesDialog::~PreferencesDialog()
{
    delete ui;
}

void PreferencesDialog::showLayout(const TypesetStyle &style, const QString &margins)
{
    ui->layoutBox->setCurrentIndex(style.book ? 1 : 0);
    ui->marginsBox->setCurrentIndex(qMax(0, int(Settings::MarginNames.indexOf(margins))));
    ui->lineSpacingBox->setValue(style.lineSpacing);
    ui->paragraphSpacingBox->setValue(style.paragraphSpacing);
    ui->indentBox->setValue(style.indent);
    ui->justifyBox->setChecked(style.justify);
    enableBookSettings();
    ui->preview->setPageLayout(style, LayoutController::marginFor(style, margins));
}

TypesetStyle PreferencesDialog::style() const
{
    TypesetStyle style;
    style.book = ui->layoutBox->currentData().toBool();
    style.lineSpacing = ui->lineSpacingBox->value();
    style.paragraphSpacing = ui->paragraphSpacingBox->value();
    style.indent = ui->indentBox->value();
    style.justify = ui->justifyBox->isChecked();
    return style;
}

QString PreferencesDialog::margins() const
{
    return ui->marginsBox->currentData().toString();
}

void PreferencesDialog::setSpread(bool on)
{
    const QSignalBlocker quiet(ui->spreadBox);
    ui->spreadBox->setChecked(on);
}

bool PreferencesDialog::isSpread() const
{
    return ui->spreadBox->isChecked();
}

void PreferencesDialog::onEdited()
{
    enableBookSettings();
    ui->preview->setPageLayout(style(), LayoutController::marginFor(style(), margins()));
    emit layoutChanged(style(), margins());
}

// The original layout sets pages as the file has them: the book layout's settings do not apply.
void PreferencesDialog::enableBookSettings()
{
    ui->bookSettings->setEnabled(ui->layoutBox->currentData().toBool());
}
