// Frame extraction of serial monitoring mode (command, trace and block frames) and the
// batched dispatch of the frame ring. The stream is scanned whole, and fed in pieces
// through the receive ring, extraction and frame ring as the UI thread does; both must
// give the same frames in the same order, and every frame must pass its own check.

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
    check(frame.size() >= 2 && frame[0] == kCommandStart && routing == frame[1]);
    check(frame.size() == commandFamilyLength(frame[1]));
    if (frame[1] != code::TraceRecord)
        check(wholeFrameXorIsZero(frame));
}

class DispatchingCollector final : public FrameSink {
public:
    explicit DispatchingCollector(fuzz::Harness& harness) : m_harness(harness) {}
    void frameFound(uint8_t routing, std::span<const uint8_t> frame) override
    {
        checkFrame(routing, frame);
        found.push_back({routing, {frame.begin(), frame.end()}});
        m_harness.dispatch(routing, frame);
    }
    std::vector<Found> found;

private:
    fuzz::Harness& m_harness;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const std::span<const uint8_t> stream(data + 1, size - 1);
    auto& harness = fuzz::Harness::instance();

    std::vector<Found> whole;
    const size_t scanned = scanMonitoringFrames(stream, [&](uint8_t routing, std::span<const uint8_t> frame) {
        checkFrame(routing, frame);
        whole.push_back({routing, {frame.begin(), frame.end()}});
    });
    check(scanned <= stream.size());

    static ReceivePipeline pipeline;
    pipeline.clearReceived();
    pipeline.clearFrames();
    const int64_t droppedBefore = pipeline.droppedFrames();
    DispatchingCollector pieces(harness);
    fuzz::ChunkSizes chunks(data[0]);
    for (size_t at = 0; at < stream.size();) {
        const size_t n = std::min(chunks.next(), stream.size() - at);
        check(pipeline.putReceived(stream.subspan(at, n)) == static_cast<int32_t>(n));
        pipeline.extractFrames();
        pipeline.dispatchFrameRing(pieces);
        check(pipeline.frameRingCount() == 0);
        at += n;
    }
    check(pipeline.droppedFrames() == droppedBefore);
    check(pieces.found == whole);
    check(pipeline.receivedCount() == static_cast<int32_t>(stream.size() - scanned));
    return 0;
}
