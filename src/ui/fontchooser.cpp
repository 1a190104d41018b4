#include "fontchooser.h"

#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>

std::optional<QFont> FontChooser::choose(const QFont &current, QWidget *parent)
{
    const QString shownFamily = familyInUse(current);
    QFont shown = current;
    shown.setFamily(shownFamily);

    QFontDialog dialog(parent);
    dialog.setWindowTitle(tr("选择字体"));
    dialog.setCurrentFont(shown);
    showChineseSample(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;

    QFont chosen = dialog.selectedFont();
    if (chosen.family() == shownFamily)
        chosen.setFamily(current.family());
    return chosen;
}

QString FontChooser::familyInUse(const QFont &font)
{
    const QStringList installed = QFontDatabase::families();
    const QStringList candidates = QStringList{ font.family() } + QFont::substitutes(font.family());
    for (const QString &family : candidates) {
        if (installed.contains(family))
            return family;
    }
    return QFontInfo(font).family();
}

// The dialog previews Latin letters only; a reader of Chinese books judges a font by its
// characters. The preview is the line edit in the dialog's sample box.
void FontChooser::showChineseSample(QFontDialog &dialog)
{
    for (auto *box : dialog.findChildren<QGroupBox *>()) {
        for (auto *sample : box->findChildren<QLineEdit *>())
            sample->setText(tr("书香满屋，灯下夜读 AaBbYyZz"));
    }
}
