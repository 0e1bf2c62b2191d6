#pragma once
// Builds file fixtures byte by byte, independent of the production writer: every value
// is appended little-endian by hand and every text form is spelled out here from the
// layout of the text encoding, so a fixture shows exactly which bytes a file holds.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <initializer_list>

namespace hesk::testsupport {

class ByteBuilder {
public:
    ByteBuilder& u8(uint8_t v)
    {
        bytes_.append(static_cast<char>(v));
        return *this;
    }
    ByteBuilder& u16(uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    ByteBuilder& u32(uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    ByteBuilder& i32(int32_t v) { return u32(static_cast<uint32_t>(v)); }
    ByteBuilder& u64(uint64_t v) { return u32(v & 0xFFFFFFFFu).u32(static_cast<uint32_t>(v >> 32)); }
    ByteBuilder& count(int32_t n) { return i32(n); }
    ByteBuilder& raw(std::initializer_list<uint8_t> values)
    {
        for (uint8_t v : values)
            u8(v);
        return *this;
    }
    ByteBuilder& raw(const QByteArray& values)
    {
        bytes_.append(values);
        return *this;
    }

    // The UTF-16 form with the shortest length field: FF FE FF, length, units.
    ByteBuilder& text(QStringView s)
    {
        raw({0xFF, 0xFE, 0xFF});
        const auto n = static_cast<uint32_t>(s.size());
        if (n < 0xFF)
            u8(static_cast<uint8_t>(n));
        else if (n < 0xFFFE)
            u8(0xFF).u16(static_cast<uint16_t>(n));
        else
            u8(0xFF).u16(0xFFFF).u32(n);
        return utf16Units(s);
    }
    ByteBuilder& text(const char* utf8) { return text(QString::fromUtf8(utf8)); }

    // The UTF-16 form with a uint32 length even where a shorter field would do.
    ByteBuilder& textWithUInt32Length(QStringView s)
    {
        raw({0xFF, 0xFE, 0xFF, 0xFF}).u16(0xFFFF).u32(static_cast<uint32_t>(s.size()));
        return utf16Units(s);
    }

    // The 8-bit form: a length byte below 0xFF, or FF + uint16 length.
    ByteBuilder& ansiText(const QByteArray& codePageBytes)
    {
        const auto n = static_cast<uint32_t>(codePageBytes.size());
        if (n < 0xFF)
            u8(static_cast<uint8_t>(n));
        else
            u8(0xFF).u16(static_cast<uint16_t>(n));
        return raw(codePageBytes);
    }

    // The empty text in its smallest form (an empty 8-bit text).
    ByteBuilder& emptyAnsiText() { return u8(0); }

    ByteBuilder& utf16Units(QStringView s)
    {
        for (QChar c : s)
            u16(c.unicode());
        return *this;
    }

    const QByteArray& data() const { return bytes_; }
    qsizetype size() const { return bytes_.size(); }
    operator QByteArray() const { return bytes_; }

private:
    QByteArray bytes_;
};

}  // namespace hesk::testsupport
