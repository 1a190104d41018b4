#ifndef ENCODINGMENU_H
#define ENCODINGMENU_H

#include <QByteArray>
#include <QMenu>

class QActionGroup;

// The encodings a book can be reopened in: automatic detection, then every encoding the
// decoder knows. The one in use is checked.
class EncodingMenu : public QMenu
{
    Q_OBJECT

public:
    explicit EncodingMenu(QWidget *parent = nullptr);

    // Empty for automatic detection.
    void setCurrentEncoding(const QByteArray &encoding);

signals:
    void encodingChosen(const QByteArray &encoding);

protected:
    void changeEvent(QEvent *event) override;

private:
    QAction *addEncoding(const QString &text, const QByteArray &encoding);

    QActionGroup *m_group;
    QAction *m_automatic;
};

#endif
