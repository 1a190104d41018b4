#include "aboutdialog.h"
#include "ui_aboutdialog.h"
#include "version.h"

#include <QDesktopServices>
#include <QUrl>

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::AboutDialog>())
{
    ui->setupUi(this);
    ui->versionLabel->setText(tr("版本: %1").arg(QLatin1String(LEXORIN_VERSION)));

    // The label leaves links to us (openExternalLinks is off), so the link goes
    // through openLink() like every other one and the dialog stays open.
    connect(ui->websiteLabel, &QLabel::linkActivated, this,
            [this](const QString &link) { openLink(QUrl(link)); });
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::openLink(const QUrl &url)
{
    // A link the desktop cannot open is not worth a message box in an About dialog.
    QDesktopServices::openUrl(url);
}
