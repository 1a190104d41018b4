#ifndef BOOKFINGERPRINT_H
#define BOOKFINGERPRINT_H

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Recognises a book file by its content rather than its name: the file's size and a hash of
// three sampled blocks (its head, middle and tail), so a 50 MB book costs three short reads.
// Computing one touches nothing but the file, so any thread may do it.
class BookFingerprint
{
public:
    // The length of each sampled block; a file up to three blocks long is hashed whole.
    static constexpr qint64 BlockSize = 64 * 1024;

    BookFingerprint() = default;
    BookFingerprint(qint64 size, const QByteArray &hash);

    // The fingerprint of the file at the path, or an invalid one when it cannot be read.
    static BookFingerprint ofFile(const QString &path);
    // The fingerprint of a whole file's bytes already read: the same as ofFile() gives for
    // them, without opening the file again, which may have been replaced since.
    static BookFingerprint ofBytes(QByteArrayView bytes);

    bool isValid() const { return m_size >= 0 && !m_hash.isEmpty(); }
    qint64 size() const { return m_size; }
    QByteArray hash() const { return m_hash; }

    friend bool operator==(const BookFingerprint &a, const BookFingerprint &b)
    {
        return a.m_size == b.m_size && a.m_hash == b.m_hash;
    }
    friend bool operator!=(const BookFingerprint &a, const BookFingerprint &b)
    {
        return !(a == b);
    }

private:
    qint64 m_size = -1;
    QByteArray m_hash;
};

#endif
