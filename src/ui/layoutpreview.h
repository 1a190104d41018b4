#ifndef LAYOUTPREVIEW_H
#define LAYOUTPREVIEW_H

#include "typesetstyle.h"

#include <QFont>
#include <QWidget>

// A small page set the way the reader's pages would be, with a passage of our own.
class LayoutPreview : public QWidget
{
    Q_OBJECT

public:
    explicit LayoutPreview(QWidget *parent = nullptr);

    void setTextFont(const QFont &font);
    void setPageLayout(const TypesetStyle &style, int margin);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    static std::vector<QString> samplePages();

    QFont m_font;
    TypesetStyle m_style;
    int m_margin = 30;
};

#endif
