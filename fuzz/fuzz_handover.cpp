// Reads arbitrary bytes as the hand-over message a second start sends, cut into chunks as the
// socket might deliver them: the reading never fails, never keeps more than its limit, and
// gives the same answer however the bytes were cut.
#include "handovermessage.h"

#include <QByteArrayView>

#include <cstdint>
#include <cstdlib>

namespace {

HandOverMessage read(QByteArrayView bytes, qsizetype chunkSize)
{
    HandOverMessage message;
    for (qsizetype at = 0; at < bytes.size() && message.state() == HandOverMessage::State::Incomplete;
         at += chunkSize)
        message.feed(bytes.sliced(at, qMin(chunkSize, bytes.size() - at)));
    return message;
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype chunkSize = data[0] + 1;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size) - 1);

    const HandOverMessage whole = read(bytes, qMax<qsizetype>(bytes.size(), 1));
    const HandOverMessage chunked = read(bytes, chunkSize);
    if (whole.state() != chunked.state() || whole.books() != chunked.books())
        std::abort();
    if (whole.books().size() > HandOverMessage::MaxBooks)
        std::abort();
    if (whole.state() == HandOverMessage::State::Complete) {
        // What the window understood goes over again unchanged.
        const HandOverMessage again = read(HandOverMessage::encode(whole.books()), chunkSize);
        if (again.state() != HandOverMessage::State::Complete || again.books() != whole.books())
            std::abort();
    }
    return 0;
}
