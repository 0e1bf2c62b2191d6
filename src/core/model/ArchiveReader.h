#pragma once
// Bounded little-endian reader over bytes held in memory, as used by the project file
// and the intermediate file of project creation.
//
// Contract: the reader never reads past the end of its data. The first read that does
// not fit sets a sticky failure flag; from then on every read returns a zero value, an
// empty text or an empty count, so record readers can read a whole record and check
// failed() once at the end. The data must outlive the reader. Not thread-safe; one
// reader per thread.

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <QtEndian>

namespace hesk::model {

class ArchiveReader {
public:
    explicit ArchiveReader(QByteArrayView data) : data_(data) {}
    ~ArchiveReader();
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    bool failed() const { return failed_; }
    bool ok() const { return !failed_; }
    // Offset of the read that failed (the offset where the reader stood), or -1.
    qsizetype failureOffset() const { return failureOffset_; }
    qsizetype position() const { return pos_; }
    qsizetype remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ == data_.size(); }

    // Marks the data as malformed at the current position; the first failure is kept.
    void fail();

    uint8_t readByte() { return readScalar<uint8_t>(); }
    uint16_t readUInt16() { return readScalar<uint16_t>(); }
    int32_t readInt32() { return readScalar<int32_t>(); }
    uint32_t readUInt32() { return readScalar<uint32_t>(); }
    uint64_t readUInt64() { return readScalar<uint64_t>(); }

    // The next n bytes as a view into the data; empty (and failed) when they do not fit.
    QByteArrayView readBytes(qsizetype n);

    // One text in the HeskStringCodec encoding (see HeskStringCodec.h). The form this
    // program writes for texts below 255 units (FF FE FF n, units) is decoded inline
    // here; every other form and every error goes through HeskStringCodec::read.
    QString readText()
    {
        if (!failed_ && remaining() >= 4) {
            const auto* p = reinterpret_cast<const uchar*>(data_.data()) + pos_;
            const qsizetype n = p[3];
            if (p[0] == 0xFF && p[1] == 0xFE && p[2] == 0xFF && n != 0xFF && 2 * n <= remaining() - 4) {
                pos_ += 4 + 2 * n;
                return n == 0 ? QString() : decodeUtf16Units(p + 4, n);
            }
        }
        return readTextSlowPath();
    }

    // Reads an int32 array count. A count <= 0 is an empty array. A count whose elements
    // cannot fit in the remaining data (each element needs at least minElementBytes)
    // fails here, before anybody allocates memory for it.
    qsizetype readCount(qsizetype minElementBytes);

    template <std::size_t N>
    void readTexts(std::array<QString, N>& texts)
    {
        for (QString& text : texts)
            text = readText();
    }

    // How many elements of elementBytes each to reserve for a count read from the data:
    // the count, but never more memory than the bytes that remain. An element in memory
    // is often many times its smallest form in the file, so reserving a count that merely
    // fits the data could still cost many times the file's size before a single element
    // was read; the container grows as elements actually arrive instead.
    qsizetype boundedReservation(qsizetype count, std::size_t elementBytes) const
    {
        const qsizetype affordable = remaining() / static_cast<qsizetype>(elementBytes == 0 ? 1 : elementBytes);
        return std::max<qsizetype>(0, std::min(count, affordable));
    }

    // Reads a count and then the elements with readElement(reader, element&). Memory is
    // reserved only for a count that passed the size check above, and at most for as many
    // elements as the remaining bytes would hold (boundedReservation).
    template <typename T, typename ReadElement>
    void readArray(std::vector<T>& out, qsizetype minElementBytes, ReadElement readElement)
    {
        out.clear();
        const qsizetype count = readCount(minElementBytes);
        out.reserve(static_cast<std::size_t>(boundedReservation(count, sizeof(T))));
        for (qsizetype i = 0; i < count && !failed_; ++i)
            readElement(*this, out.emplace_back());
    }

    // Converts an 8-bit text from the drive family's ANSI code page (GBK, read as its
    // superset GB18030). The converter is created on first use and reused.
    QString decodeAnsi(QByteArrayView bytes);

    // Converts UTF-16LE code units (2 bytes each) to a text. Short texts repeat a lot in
    // a project ("0", "1", units, limits); they are shared through a small cache so that
    // equal texts use one allocation.
    QString decodeUtf16(QByteArrayView bytes)
    {
        return decodeUtf16Units(reinterpret_cast<const uchar*>(bytes.data()), bytes.size() / 2);
    }

private:
    void failAt(qsizetype offset);
    QString readTextSlowPath();
    QString decodeUtf16Units(const uchar* units, qsizetype n);

    template <typename T>
    T readScalar()
    {
        if (failed_ || remaining() < static_cast<qsizetype>(sizeof(T))) {
            fail();
            return T{};
        }
        T value;
        std::memcpy(&value, data_.data() + pos_, sizeof(T));
        pos_ += static_cast<qsizetype>(sizeof(T));
        return qFromLittleEndian(value);
    }

    QByteArrayView data_;
    qsizetype pos_ = 0;
    bool failed_ = false;
    qsizetype failureOffset_ = -1;
    std::unique_ptr<QStringDecoder> ansiDecoder_;
    std::unique_ptr<QString[]> shortTexts_;  // direct-mapped by hash, created on first use
};

}  // namespace hesk::model
