// Feeds arbitrary bytes to the text codec: one text through decode(), then texts one
// after another through a reader (which exercises the shared short-text cache and the
// 8-bit conversion). Every decoded text must encode and decode back to itself.

#include "model/ArchiveReader.h"
#include "model/HeskStringCodec.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkRoundTrip(const QString& text)
{
    namespace codec = hesk::model::HeskStringCodec;
    const QByteArray encoded = codec::encode(text);
    check(encoded.size() == codec::encodedSize(text));
    const auto decoded = codec::decode(encoded);
    check(decoded.has_value() && decoded->text == text && decoded->consumed == encoded.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));

    if (const auto decoded = hesk::model::HeskStringCodec::decode(bytes)) {
        check(decoded->consumed > 0 && decoded->consumed <= bytes.size());
        checkRoundTrip(decoded->text);
    }

    hesk::model::ArchiveReader reader(bytes);
    while (!reader.atEnd()) {
        const qsizetype before = reader.position();
        const QString text = reader.readText();
        if (reader.failed())
            break;
        check(reader.position() > before && reader.position() <= bytes.size());
        checkRoundTrip(text);
    }
    return 0;
}
