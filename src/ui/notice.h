#ifndef NOTICE_H
#define NOTICE_H

#include <QLabel>

class QTimer;

// A line of news laid over the bottom of a widget that goes away by itself: what the reader
// should know but need not answer.
class Notice : public QLabel
{
    Q_OBJECT

public:
    explicit Notice(QWidget *parent);

    void show(const QString &text);

    static constexpr int ShownMs = 6000;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void placeOverParent();

    QTimer *m_hideTimer;
};

#endif
