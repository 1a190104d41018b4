#ifndef VIEWSTACK_H
#define VIEWSTACK_H

#include <QHash>
#include <QObject>

class QAbstractButton;
class QButtonGroup;
class QStackedWidget;
class QWidget;

// The one owner of the window's views: it shows one in the stack and lights that view's
// button in the left strip, and no other.
class ViewStack : public QObject
{
    Q_OBJECT

public:
    enum View { Reading, Shelf, Contents, Results };
    Q_ENUM(View)

    ViewStack(QStackedWidget *stack, QButtonGroup *strip, QObject *parent = nullptr);

    // A view without a button lights nothing in the strip while shown.
    void addView(View view, QWidget *page, QAbstractButton *button = nullptr);
    void show(View view);
    View current() const { return m_current; }

signals:
    void viewChanged(ViewStack::View view);

private:
    void light(QAbstractButton *button);

    struct Entry
    {
        QWidget *page = nullptr;
        QAbstractButton *button = nullptr;
    };

    QStackedWidget *m_stack;
    QButtonGroup *m_strip;
    QHash<View, Entry> m_views;
    View m_current = Reading;
};

#endif
