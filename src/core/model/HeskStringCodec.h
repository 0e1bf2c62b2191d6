#pragma once
// The text encoding of the project file and the intermediate file.
//
// Writing always produces the UTF-16 form: the mark FF FE FF, then the length n in UTF-16
// code units (n < 255: one byte; n < 0xFFFE: FF + uint16; else FF FF FF + uint32; a length
// that does not fit in 32 bits would follow FF FF FF FF FF FF FF as uint64), then the n
// code units little-endian, no terminator. An empty text is FF FE FF 00.
//
// Reading accepts every form: a first byte below 0xFF is the length of an 8-bit text;
// FF is followed by a uint16 where 0xFFFE marks a UTF-16 text whose length follows by the
// same scheme, 0xFFFF announces a uint32 length (0xFFFFFFFF: a further uint64 length),
// and any other value is the length of an 8-bit text. 8-bit texts are in the drive
// family's ANSI code page (GBK) and are converted to UTF-16.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace hesk::model {

class ArchiveReader;

namespace HeskStringCodec {

// Appends the encoded text to out.
void write(QByteArray& out, QStringView text);

// The encoded text on its own.
QByteArray encode(QStringView text);

// Number of bytes write() appends for this text.
qsizetype encodedSize(QStringView text);

// Reads one text at the reader's position. A length that runs past the end of the data
// fails the reader (sticky) and gives an empty text.
QString read(ArchiveReader& reader);

struct DecodedText {
    QString text;
    qsizetype consumed = 0;  // bytes of the encoded form
};

// Decodes the text at the start of bytes; nothing when the bytes end before the text.
std::optional<DecodedText> decode(QByteArrayView bytes);

}  // namespace HeskStringCodec
}  // namespace hesk::model
