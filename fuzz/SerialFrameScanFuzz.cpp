// The serial connection thread's scanner (boot, long boot, block and command frames).
// The stream is scanned whole, and fed to the receive path in pieces as reads deliver
// it; both must find the same frames, and every frame must pass its own check.

#include "LinkFuzzHarness.h"
#include "link/ReceivePipeline.h"

#include <vector>

namespace {

using namespace hesk::link;
using hesk::link::fuzz::check;

struct Found {
    uint8_t routing;
    std::vector<uint8_t> frame;
    bool operator==(const Found&) const = default;
};

void checkFrame(uint8_t routing, std::span<const uint8_t> frame)
{
    check(frame.size() == kBootFrameSize || frame.size() == kCommandFrameSize || frame.size() == kBlockFrameSize);
    if (frame[0] == kBootStart) {
        check(routing == frame[2]);
        if (frame.size() == kBootFrameSize)
            check(frame[1] == kBootLengthByte && bootCheckOk(frame.first<kBootFrameSize>()));
        else
            check(frame[1] == kLongBootLengthByte && wholeFrameXorIsZero(frame));
    } else {
        check(frame[0] == kCommandStart && routing == frame[1]);
        if (frame.size() == kBlockFrameSize)
            check(frame[1] == code::UploadBlock && wholeFrameXorIsZero(frame));
        else
            check(frame[1] != code::UploadBlock && commandCheckOk(frame.first<kCommandFrameSize>()));
    }
}

class Collector final : public FrameSink {
public:
    void frameFound(uint8_t routing, std::span<const uint8_t> frame) override
    {
        found.push_back({routing, {frame.begin(), frame.end()}});
    }
    std::vector<Found> found;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const std::span<const uint8_t> stream(data + 1, size - 1);
    auto& harness = fuzz::Harness::instance();

    std::vector<Found> whole;
    const size_t scanned = scanSerialFrames(stream, [&](uint8_t routing, std::span<const uint8_t> frame) {
        checkFrame(routing, frame);
        whole.push_back({routing, {frame.begin(), frame.end()}});
        harness.dispatch(routing, frame);
    });
    check(scanned <= stream.size());
    check(stream.size() - scanned < kLongBootFrameSize);

    static ReceivePipeline pipeline;
    pipeline.clearReceived();
    Collector pieces;
    fuzz::ChunkSizes chunks(data[0]);
    for (size_t at = 0; at < stream.size();) {
        const size_t n = std::min(chunks.next(), stream.size() - at);
        check(pipeline.putReceived(stream.subspan(at, n)) == static_cast<int32_t>(n));
        pipeline.parseSerialFrames(pieces);
        at += n;
    }
    check(pieces.found == whole);
    check(pipeline.receivedCount() == static_cast<int32_t>(stream.size() - scanned));
    return 0;
}
