#ifndef HANDOVERMESSAGE_H
#define HANDOVERMESSAGE_H

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// The books a second start hands to the running window: UTF-8 paths, one a line, ended by
// a NUL byte. Read as it arrives in chunks; each byte is looked at once, and a message
// longer than any real hand-over is refused before it can fill the window's memory.
class HandOverMessage
{
public:
    // A few hundred paths of the longest length a path can have.
    static constexpr qsizetype MaxBytes = 1024 * 1024;
    static constexpr qsizetype MaxBooks = 256;

    enum class State { Incomplete, Complete, Refused };

    static QByteArray encode(const QStringList &books);

    // Takes the next chunk; bytes after the terminator are ignored.
    State feed(QByteArrayView chunk);
    State state() const { return m_state; }
    // The books of a complete message; empty otherwise.
    QStringList books() const { return m_books; }

private:
    void finish();

    QByteArray m_received;
    QStringList m_books;
    State m_state = State::Incomplete;
};

#endif
