#include "notice.h"

#include <QEvent>
#include <QTimer>

namespace {

constexpr int Margin = 12;

}

Notice::Notice(QWidget *parent)
    : QLabel(parent)
    , m_hideTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("notice"));
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("QLabel#notice { background: rgba(40, 44, 52, 220); color: white;"
                                 " border-radius: 6px; padding: 8px 12px; }"));
    m_hideTimer->setSingleShot(true);
    m_hideTimer->setInterval(ShownMs);
    connect(m_hideTimer, &QTimer::timeout, this, &QWidget::hide);
    parent->installEventFilter(this);
    hide();
}

void Notice::show(const QString &text)
{
    setText(text);
    placeOverParent();
    QLabel::show();
    raise();
    m_hideTimer->start();
}

void Notice::placeOverParent()
{
    const int width = parentWidget()->width() - 2 * Margin;
    const int height = heightForWidth(width);
    setGeometry(Margin, parentWidget()->height() - height - Margin, width, height);
}

bool Notice::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        placeOverParent();
    return QLabel::eventFilter(watched, event);
}

// A click dismisses it.
void Notice::mousePressEvent(QMouseEvent *)
{
    hide();
}
