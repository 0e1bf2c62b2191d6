// The block transfer of a download as bytes in and out: blocks, padding, echoes,
// control bytes, repeats.
#include "files/DownloadTransfer.h"

#include <gtest/gtest.h>

namespace hesk::files {
namespace {

std::span<const uint8_t> bytes(const QByteArray& data)
{
    return {reinterpret_cast<const uint8_t*>(data.constData()), static_cast<std::size_t>(data.size())};
}

QByteArray image(int size)
{
    QByteArray data(size, 0);
    for (int i = 0; i < size; ++i)
        data[i] = static_cast<char>(i * 7 + 1);
    return data;
}

QByteArray control(uint8_t c) { return QByteArray(1, static_cast<char>(c)); }

TEST(DownloadTransfer, imageOfOneBlockIsSentOnceThenEnded)
{
    DownloadTransfer transfer(image(256));
    const QByteArray block = transfer.start();
    EXPECT_EQ(block, image(256));
    EXPECT_EQ(transfer.received(bytes(block.left(100))), QByteArray());  // echo still coming
    EXPECT_EQ(transfer.received(bytes(block.mid(100))), control(2));
    EXPECT_FALSE(transfer.finished());
    EXPECT_EQ(transfer.received(bytes(control(2))), QByteArray());
    EXPECT_TRUE(transfer.finished());
    EXPECT_EQ(transfer.blocksAcknowledged(), 1);
    EXPECT_EQ(transfer.position(), 256u);
}

TEST(DownloadTransfer, imageOf257BytesTakesTwoBlocksTheSecondPadded)
{
    const QByteArray data = image(257);
    DownloadTransfer transfer(data);
    const QByteArray first = transfer.start();
    EXPECT_EQ(first, data.left(256));
    EXPECT_EQ(transfer.received(bytes(first)), control(0));
    const QByteArray second = transfer.received(bytes(control(0)));
    ASSERT_EQ(second.size(), 256);
    EXPECT_EQ(second.at(0), data.at(256));
    EXPECT_EQ(second.mid(1), QByteArray(255, static_cast<char>(0xFF)));
    EXPECT_EQ(transfer.received(bytes(second)), control(2));
    transfer.received(bytes(control(2)));
    EXPECT_TRUE(transfer.finished());
    EXPECT_EQ(transfer.position(), 257u);
}

TEST(DownloadTransfer, wrongEchoRepeatsTheSameBlock)
{
    const QByteArray data = image(300);
    DownloadTransfer transfer(data);
    const QByteArray first = transfer.start();
    QByteArray bad = first;
    bad[17] = static_cast<char>(bad[17] ^ 0x40);
    EXPECT_EQ(transfer.received(bytes(bad)), control(1));
    EXPECT_EQ(transfer.position(), 0u);
    EXPECT_EQ(transfer.repeats(), 1);
    EXPECT_EQ(transfer.received(bytes(control(1))), first);  // the same block again
    EXPECT_EQ(transfer.received(bytes(first)), control(0));
    const QByteArray second = transfer.received(bytes(control(0)));
    EXPECT_EQ(transfer.received(bytes(second)), control(2));
    transfer.received(bytes(control(2)));
    EXPECT_TRUE(transfer.finished());
    EXPECT_EQ(transfer.blocksAcknowledged(), 2);
}

TEST(DownloadTransfer, controlEchoThatDiffersSendsTheControlByteAgain)
{
    DownloadTransfer transfer(image(10));
    const QByteArray block = transfer.start();
    EXPECT_EQ(transfer.received(bytes(block)), control(2));
    EXPECT_EQ(transfer.received(bytes(control(0x7F))), control(2));
    EXPECT_FALSE(transfer.finished());
    transfer.received(bytes(control(2)));
    EXPECT_TRUE(transfer.finished());
    EXPECT_EQ(transfer.received(bytes(control(2))), QByteArray());  // stray bytes after the end
}

TEST(DownloadTransfer, echoAndFollowingControlEchoInOneRead)
{
    const QByteArray data = image(512);
    DownloadTransfer transfer(data);
    const QByteArray first = transfer.start();
    ASSERT_EQ(transfer.received(bytes(first)), control(0));
    const QByteArray second = transfer.received(bytes(control(0)));
    EXPECT_EQ(second, data.mid(256));
    // The last echo and the echo of the end byte in one read.
    EXPECT_EQ(transfer.received(bytes(second + control(2))), control(2));
    EXPECT_TRUE(transfer.finished());
}

}  // namespace
}  // namespace hesk::files
