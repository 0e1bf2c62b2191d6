#include "UploadImage.h"

#include "link/FrameCodec.h"

#include <algorithm>

namespace hesk::sim {

namespace {

void putLittle(std::vector<uint8_t>& out, uint16_t word)
{
    out.push_back(static_cast<uint8_t>(word & 0xFF));
    out.push_back(static_cast<uint8_t>(word >> 8));
}

}  // namespace

std::vector<uint8_t> uploadBlock(const DriveTables& tables)
{
    const uint32_t in = tables.settableCount();
    const uint32_t out = tables.readOnlyCount();
    const auto a = static_cast<uint16_t>(2 * in);
    const auto b = static_cast<uint16_t>(2 * out);
    std::vector<uint8_t> block;
    block.reserve(12 + 2 * a + b);
    for (uint16_t word : {uint16_t(0), a, uint16_t(0), b, uint16_t(0), a})
        putLittle(block, word);
    const WordTable& settable = tables.table(TableKind::Settable);
    const WordTable& readOnly = tables.table(TableKind::ReadOnly);
    const WordTable& connections = tables.table(TableKind::Connection);
    for (uint32_t i = 0; i < in; ++i)
        putLittle(block, settable[i]);
    for (uint32_t i = 0; i < out; ++i)
        putLittle(block, readOnly[i]);
    for (uint32_t i = 0; i < in; ++i)
        putLittle(block, toWireSource(connections[i]));
    return block;
}

std::vector<std::vector<uint8_t>> uploadBlockFrames(const std::vector<uint8_t>& block)
{
    std::vector<std::vector<uint8_t>> frames;
    for (size_t offset = 0; offset < block.size(); offset += link::kBlockDataSize) {
        std::array<uint8_t, link::kBlockDataSize> data{};
        const size_t n = std::min(link::kBlockDataSize, block.size() - offset);
        std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(offset), n, data.begin());
        const link::BlockFrame frame = link::blockFrame(data);
        frames.emplace_back(frame.begin(), frame.end());
    }
    return frames;
}

}  // namespace hesk::sim
