// The datagram scanner of Ethernet mode (F5, length, CRC-16/MODBUS; code 0x67 unchecked)
// with every frame dispatched, as the UDP receive thread does with one datagram. The
// input is scanned as it is, then once more with the CRC of every well-framed run
// repaired, so that arbitrary frame contents reach the handlers too.

#include "LinkFuzzHarness.h"
#include "link/FrameScanner.h"

#include <vector>

namespace {

using namespace hesk::link;
using hesk::link::fuzz::check;

void scanAndDispatch(std::span<const uint8_t> datagram, fuzz::Harness& harness)
{
    size_t covered = 0;
    const size_t frames = scanDatagram(datagram, [&](uint8_t routing, std::span<const uint8_t> frame) {
        check(frame.data() >= datagram.data() + covered);
        check(frame.data() + frame.size() <= datagram.data() + datagram.size());
        covered = static_cast<size_t>(frame.data() - datagram.data()) + frame.size();
        check(frame.size() >= kMinDatagramFrameSize && frame[0] == kDatagramStart && frame[1] == frame.size());
        check(routing == frame[3]);
        check(routing == code::UncheckedDatagram || datagramCrcOk(frame));
        harness.dispatch(routing, frame);
    });
    check(frames <= datagram.size() / kMinDatagramFrameSize);
}

std::vector<uint8_t> withRepairedCrcs(std::span<const uint8_t> input)
{
    std::vector<uint8_t> bytes(input.begin(), input.end());
    size_t p = 0;
    while (bytes.size() - p >= 2) {
        const size_t length = bytes[p + 1];
        if (bytes[p] == kDatagramStart && length >= kMinDatagramFrameSize && length <= bytes.size() - p) {
            const uint16_t crc = crc16Modbus(std::span<const uint8_t>(bytes).subspan(p, length - 2));
            bytes[p + length - 2] = static_cast<uint8_t>(crc & 0xFF);
            bytes[p + length - 1] = static_cast<uint8_t>(crc >> 8);
            p += length;
        } else {
            ++p;
        }
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto& harness = fuzz::Harness::instance();
    scanAndDispatch({data, size}, harness);
    scanAndDispatch(withRepairedCrcs({data, size}), harness);
    return 0;
}
