#include "ArchiveReader.h"

#include "HeskStringCodec.h"

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

QString ArchiveReader::readText()
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

}  // namespace hesk::model
