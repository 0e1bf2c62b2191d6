#pragma once
// Little-endian writer that appends the fields of the project file to a byte buffer in
// memory. The caller puts the finished buffer on disk (ProjectFile does so through a
// temporary file and a rename).
//
// Contract: appending cannot fail except for an array longer than an int32 count can
// describe; that sets a sticky failure flag that the caller checks before using data().

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include <QtEndian>

namespace hesk::model {

class ArchiveWriter {
public:
    ArchiveWriter() = default;
    explicit ArchiveWriter(qsizetype expectedSize) { buffer_.reserve(expectedSize); }

    bool failed() const { return failed_; }
    const QByteArray& data() const { return buffer_; }
    QByteArray takeData() { return std::move(buffer_); }
    qsizetype size() const { return buffer_.size(); }

    void writeByte(uint8_t value) { buffer_.append(static_cast<char>(value)); }
    void writeUInt16(uint16_t value) { writeScalar(value); }
    void writeInt32(int32_t value) { writeScalar(value); }
    void writeUInt32(uint32_t value) { writeScalar(value); }
    void writeUInt64(uint64_t value) { writeScalar(value); }
    void writeBytes(QByteArrayView bytes) { buffer_.append(bytes.data(), bytes.size()); }

    // One text in the HeskStringCodec encoding (always the UTF-16 form).
    void writeText(QStringView text);

    template <std::size_t N>
    void writeTexts(const std::array<QString, N>& texts)
    {
        for (const QString& text : texts)
            writeText(text);
    }

    // An int32 array count.
    void writeCount(std::size_t count);

    template <typename T, typename WriteElement>
    void writeArray(const std::vector<T>& elements, WriteElement writeElement)
    {
        writeCount(elements.size());
        for (const T& element : elements)
            writeElement(*this, element);
    }

private:
    template <typename T>
    void writeScalar(T value)
    {
        const T le = qToLittleEndian(value);
        buffer_.append(reinterpret_cast<const char*>(&le), sizeof(T));
    }

    QByteArray buffer_;
    bool failed_ = false;
};

}  // namespace hesk::model
