#include "HeskStringCodec.h"

#include "ArchiveReader.h"

#include <QtEndian>

#include <cstdint>

namespace hesk::model::HeskStringCodec {

namespace {

constexpr uint8_t kLongLength = 0xFF;
constexpr uint16_t kUtf16Mark = 0xFFFE;
constexpr uint16_t kUInt32Length = 0xFFFF;
constexpr uint32_t kUInt64Length = 0xFFFFFFFF;

qsizetype lengthFieldSize(qsizetype n)
{
    if (n < 0xFF)
        return 1;
    if (n < kUtf16Mark)
        return 3;
    if (static_cast<uint64_t>(n) < kUInt64Length)
        return 7;
    return 15;
}

// The continuation after FF and a uint16 that is not the UTF-16 mark.
uint64_t readLengthAfterWord(ArchiveReader& reader, uint16_t word)
{
    if (word != kUInt32Length)
        return word;
    const uint32_t length32 = reader.readUInt32();
    if (length32 != kUInt64Length)
        return length32;
    return reader.readUInt64();
}

}  // namespace

qsizetype encodedSize(QStringView text)
{
    return 3 + lengthFieldSize(text.size()) + 2 * text.size();
}

void write(QByteArray& out, QStringView text)
{
    const qsizetype n = text.size();
    const qsizetype start = out.size();
    out.resize(start + encodedSize(text));
    auto* p = reinterpret_cast<uchar*>(out.data()) + start;

    *p++ = 0xFF;
    qToLittleEndian<uint16_t>(kUtf16Mark, p);
    p += 2;
    if (n < 0xFF) {
        *p++ = static_cast<uchar>(n);
    } else {
        *p++ = kLongLength;
        if (n < kUtf16Mark) {
            qToLittleEndian<uint16_t>(static_cast<uint16_t>(n), p);
            p += 2;
        } else {
            qToLittleEndian<uint16_t>(kUInt32Length, p);
            p += 2;
            if (static_cast<uint64_t>(n) < kUInt64Length) {
                qToLittleEndian<uint32_t>(static_cast<uint32_t>(n), p);
                p += 4;
            } else {
                qToLittleEndian<uint32_t>(kUInt64Length, p);
                p += 4;
                qToLittleEndian<uint64_t>(static_cast<uint64_t>(n), p);
                p += 8;
            }
        }
    }
    if (n > 0)
        qToLittleEndian<char16_t>(text.utf16(), n, p);
}

QByteArray encode(QStringView text)
{
    QByteArray out;
    write(out, text);
    return out;
}

QString read(ArchiveReader& reader)
{
    bool utf16 = false;
    uint64_t length = reader.readByte();
    if (length == kLongLength) {
        const uint16_t word = reader.readUInt16();
        if (word == kUtf16Mark) {
            utf16 = true;
            length = reader.readByte();
            if (length == kLongLength)
                length = readLengthAfterWord(reader, reader.readUInt16());
        } else {
            length = readLengthAfterWord(reader, word);
        }
    }
    if (reader.failed())
        return {};

    // Check against the remaining data before any multiplication or allocation.
    const uint64_t available = static_cast<uint64_t>(reader.remaining());
    if (length > (utf16 ? available / 2 : available)) {
        reader.fail();
        return {};
    }
    if (length == 0)
        return {};

    const auto n = static_cast<qsizetype>(length);
    if (!utf16)
        return reader.decodeAnsi(reader.readBytes(n));

    return reader.decodeUtf16(reader.readBytes(2 * n));
}

std::optional<DecodedText> decode(QByteArrayView bytes)
{
    ArchiveReader reader(bytes);
    QString text = read(reader);
    if (reader.failed())
        return std::nullopt;
    return DecodedText{std::move(text), reader.position()};
}

}  // namespace hesk::model::HeskStringCodec
