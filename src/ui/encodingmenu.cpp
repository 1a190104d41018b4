#include "encodingmenu.h"

#include "bookdecoder.h"

#include <QActionGroup>
#include <QEvent>

EncodingMenu::EncodingMenu(QWidget *parent)
    : QMenu(parent)
    , m_group(new QActionGroup(this))
{
    m_automatic = addEncoding(tr("自动检测"), QByteArray());
    addSeparator();
    for (const QByteArray &encoding : BookDecoder::overrideEncodings())
        addEncoding(QString::fromLatin1(encoding), encoding);
    m_automatic->setChecked(true);
    connect(m_group, &QActionGroup::triggered, this, [this](QAction *action) {
        emit encodingChosen(action->data().toByteArray());
    });
}

QAction *EncodingMenu::addEncoding(const QString &text, const QByteArray &encoding)
{
    QAction *action = addAction(text);
    action->setCheckable(true);
    action->setData(encoding);
    m_group->addAction(action);
    return action;
}

void EncodingMenu::setCurrentEncoding(const QByteArray &encoding)
{
    for (QAction *action : m_group->actions())
        action->setChecked(action->data().toByteArray() == encoding);
}

void EncodingMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_automatic->setText(tr("自动检测"));
    QMenu::changeEvent(event);
}
