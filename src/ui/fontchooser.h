#ifndef FONTCHOOSER_H
#define FONTCHOOSER_H

#include <QCoreApplication>
#include <QFont>

#include <optional>

class QFontDialog;
class QWidget;

// The font dialog for the reading font. The reading family is a name the font system stands
// in for with the first installed of its substitutes, so the dialog opens on that family, the
// one the page is really drawn in, and gives the reading family back where the reader kept it.
class FontChooser
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)

public:
    // The chosen font, or nothing when the dialog was cancelled.
    static std::optional<QFont> choose(const QFont &current, QWidget *parent);
    // The installed family the font is drawn in: its own, or else the first of its substitutes.
    static QString familyInUse(const QFont &font);

private:
    static void showChineseSample(QFontDialog &dialog);
};

#endif
