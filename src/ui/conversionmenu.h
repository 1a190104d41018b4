#ifndef CONVERSIONMENU_H
#define CONVERSIONMENU_H

#include <QMenu>

class QActionGroup;

// The main menu's choice of script for the book's Chinese: as the file has it, or converted
// between simplified and traditional forms. One item is checked, the conversion in effect.
class ConversionMenu : public QMenu
{
    Q_OBJECT

public:
    explicit ConversionMenu(QWidget *parent = nullptr);

    // Checks the item of a conversion's store name.
    void setConversion(const QString &key);
    // Whether the book on show keeps a choice of its own; the item is off without a book.
    void setOnlyThisBook(bool checked, bool bookOnShow);

signals:
    void conversionChosen(const QString &key);
    void onlyThisBookToggled(bool on);

protected:
    void changeEvent(QEvent *event) override;

private:
    void addConversion(const QString &key);
    void retranslate();

    QActionGroup *m_conversions;
    QAction *m_onlyThisBook;
};

#endif
