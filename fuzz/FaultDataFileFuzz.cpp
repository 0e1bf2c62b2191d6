// Feeds arbitrary bytes to the fault-data file reader and the fault-data ring decoder.
// Checks what the fault-waveform view relies on: a file that reads is one the writer
// writes again and that reads back to the same record and header; the decoder takes any
// byte stream and yields no more samples than bytes.

#include "recording/FaultDataFile.h"
#include "recording/FaultRecordDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace hesk::recording;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const FaultFileRead read = parseFaultDataFile(bytes);
    check(read.contents.has_value() == read.message.isEmpty());
    if (read.contents) {
        const QByteArray again = faultDataFileBytes(read.contents->record, read.contents->header);
        const FaultFileRead second = parseFaultDataFile(again);
        check(second.contents.has_value());
        check(second.contents->record == read.contents->record);
        check(second.contents->header == read.contents->header);
        check(faultDataFileBytes(second.contents->record, second.contents->header) == again);
    }

    const std::span<const uint8_t> ring(data, size);
    for (const bool board : {false, true}) {
        const FaultRecord record = decodeFaultRecord(ring, {}, {board, 0, 1});
        size_t samples = 0;
        for (const FaultEntry& f : record.faults)
            for (const FaultChannel& c : f.channels)
                samples += c.samples.size();
        check(samples <= size);
    }
    return 0;
}
