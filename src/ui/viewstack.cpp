#include "viewstack.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QStackedWidget>

ViewStack::ViewStack(QStackedWidget *stack, QButtonGroup *strip, QObject *parent)
    : QObject(parent)
    , m_stack(stack)
    , m_strip(strip)
{
}

void ViewStack::addView(View view, QWidget *page, QAbstractButton *button)
{
    if (m_stack->indexOf(page) < 0)
        m_stack->addWidget(page);
    m_views.insert(view, { page, button });
}

void ViewStack::show(View view)
{
    const Entry entry = m_views.value(view);
    if (!entry.page)
        return;
    m_stack->setCurrentWidget(entry.page);
    light(entry.button);
    const bool changed = std::exchange(m_current, view) != view;
    if (changed)
        emit viewChanged(view);
}

// An exclusive group keeps one button checked; it lets go only while not exclusive.
void ViewStack::light(QAbstractButton *button)
{
    if (button) {
        button->setChecked(true);
        return;
    }
    if (QAbstractButton *lit = m_strip->checkedButton()) {
        m_strip->setExclusive(false);
        lit->setChecked(false);
        m_strip->setExclusive(true);
    }
}
