#pragma once
// The block transfer of a parameter download, as bytes in and bytes out: no I/O, no
// clock, so the download thread drives it from the line and tests drive it by hand.
//
//   tool:  256-byte block (past the image's end padded with 0xFF)
//   drive: echoes the 256 bytes
//   tool:  control byte: 0 next block follows, 1 repeat (the echo differed), 2 end
//   drive: echoes the control byte; a differing echo makes the tool send it again
//
// After an echoed 0 or 1 the next (or the same) block goes out; after an echoed 2 the
// transfer is finished.

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <span>

namespace hesk::files {

class DownloadTransfer {
public:
    static constexpr std::size_t kBlockSize = 256;
    enum class Control : uint8_t { Next = 0, Repeat = 1, End = 2 };

    explicit DownloadTransfer(QByteArray image) : m_image(std::move(image)) {}

    // The first block.
    QByteArray start();
    // Bytes from the line; returns what must be sent next (empty: nothing yet).
    QByteArray received(std::span<const uint8_t> bytes);

    bool finished() const { return m_phase == Phase::Finished; }
    // Bytes of the image sent so far (moves back on a repeat).
    std::size_t position() const { return m_position; }
    std::size_t imageSize() const { return static_cast<std::size_t>(m_image.size()); }
    // Blocks acknowledged with 0 or 2 and echoed back.
    int blocksAcknowledged() const { return m_acknowledged; }
    int repeats() const { return m_repeats; }

    // The block at a position: 256 bytes, padded with 0xFF.
    static QByteArray blockAt(const QByteArray& image, std::size_t position);

private:
    enum class Phase { Idle, AwaitBlockEcho, AwaitControlEcho, Finished };
    QByteArray nextBlock();

    QByteArray m_image;
    Phase m_phase = Phase::Idle;
    QByteArray m_block;
    QByteArray m_echo;
    std::size_t m_position = 0;
    uint8_t m_control = 0;
    int m_acknowledged = 0;
    int m_repeats = 0;
};

}  // namespace hesk::files
