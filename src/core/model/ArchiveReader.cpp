#include "ArchiveReader.h"

#include "HeskStringCodec.h"

namespace {

// Texts up to this many code units go through the shared short-text cache.
constexpr qsizetype kShortTextUnits = 16;
constexpr int kShortTextSlotBits = 10;
constexpr std::size_t kShortTextSlots = std::size_t{1} << kShortTextSlotBits;

}  // namespace

namespace hesk::model {

ArchiveReader::~ArchiveReader() = default;

void ArchiveReader::fail()
{
    failAt(pos_);
}

void ArchiveReader::failAt(qsizetype offset)
{
    if (!failed_) {
        failed_ = true;
        failureOffset_ = offset;
    }
}

QByteArrayView ArchiveReader::readBytes(qsizetype n)
{
    if (failed_ || n < 0 || n > remaining()) {
        fail();
        return {};
    }
    const QByteArrayView bytes = data_.sliced(pos_, n);
    pos_ += n;
    return bytes;
}

QString ArchiveReader::readTextSlowPath()
{
    return HeskStringCodec::read(*this);
}

qsizetype ArchiveReader::readCount(qsizetype minElementBytes)
{
    const int32_t count = readInt32();
    if (failed_ || count <= 0)
        return 0;
    // Divide rather than multiply so that no product can overflow.
    const qsizetype fitting = minElementBytes > 0 ? remaining() / minElementBytes : remaining();
    if (count > fitting) {
        failAt(pos_ - 4);  // the count itself is the faulty field
        return 0;
    }
    return count;
}

QString ArchiveReader::decodeAnsi(QByteArrayView bytes)
{
    if (!ansiDecoder_)
        ansiDecoder_ = std::make_unique<QStringDecoder>("GB18030");
    ansiDecoder_->resetState();
    // Byte sequences that are not valid in the code page become U+FFFD (an incomplete
    // sequence at the very end of a text is dropped); they do not make the file
    // unreadable, as with the ANSI conversion of the platform that wrote such texts.
    return ansiDecoder_->decode(bytes);
}

QString ArchiveReader::decodeUtf16Units(const uchar* units, qsizetype n)
{
    if (n <= 0)
        return {};
    const auto byteCount = static_cast<std::size_t>(n) * 2;
    if (n > kShortTextUnits || Q_BYTE_ORDER != Q_LITTLE_ENDIAN) {
        QString text(n, Qt::Uninitialized);
        qFromLittleEndian<char16_t>(units, n, text.data());
        return text;
    }

    // Little-endian host: the file's units are the in-memory units, compare them as bytes.
    uint64_t head = 0;
    uint64_t tail = 0;
    if (byteCount >= 8) {
        std::memcpy(&head, units, 8);
        std::memcpy(&tail, units + byteCount - 8, 8);
    } else {
        std::memcpy(&head, units, byteCount);
    }
    uint64_t hash = (head * 0x9E3779B97F4A7C15ull) ^ (tail * 0xC2B2AE3D27D4EB4Full) ^ byteCount;
    hash ^= hash >> 31;
    if (!shortTexts_)
        shortTexts_ = std::make_unique<QString[]>(kShortTextSlots);
    QString& slot = shortTexts_[(hash * 0x165667B19E3779F9ull) >> (64 - kShortTextSlotBits)];
    if (slot.size() != n || std::memcmp(slot.constData(), units, byteCount) != 0) {
        slot = QString(n, Qt::Uninitialized);
        std::memcpy(slot.data(), units, byteCount);
    }
    return slot;
}

}  // namespace hesk::model
