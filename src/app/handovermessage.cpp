#include "handovermessage.h"

#include <utility>

QByteArray HandOverMessage::encode(const QStringList &books)
{
    return books.join(QLatin1Char('\n')).toUtf8() + '\0';
}

HandOverMessage::State HandOverMessage::feed(QByteArrayView chunk)
{
    if (m_state != State::Incomplete)
        return m_state;
    const qsizetype end = chunk.indexOf('\0');
    const QByteArrayView part = end < 0 ? chunk : chunk.first(end);
    if (m_received.size() + part.size() > MaxBytes) {
        m_received.clear();
        m_state = State::Refused;
        return m_state;
    }
    m_received.append(part);
    if (end >= 0)
        finish();
    return m_state;
}

void HandOverMessage::finish()
{
    const QString text = QString::fromUtf8(std::exchange(m_received, {}));
    const QStringList books = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    if (books.size() > MaxBooks) {
        m_state = State::Refused;
        return;
    }
    m_books = books;
    m_state = State::Complete;
}
