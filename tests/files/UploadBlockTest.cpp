// The checks of an uploaded block against the project's table sizes, in their order.
#include "files/ParameterUpload.h"

#include <gtest/gtest.h>

namespace hesk::files {
namespace {

// A block header with the three table lengths, followed by `payload` bytes.
QByteArray block(uint16_t a, uint16_t b, uint16_t c, int payload)
{
    QByteArray bytes(12, '\0');
    for (auto [offset, value] : {std::pair{2, a}, std::pair{6, b}, std::pair{10, c}}) {
        bytes[offset] = static_cast<char>(value & 0xFF);
        bytes[offset + 1] = static_cast<char>(value >> 8);
    }
    return bytes + QByteArray(payload, '\x11');
}

struct BlockCase {
    const char* name;
    QByteArray buffer;
    uint16_t length;
    std::size_t inputs;
    std::size_t outputs;
    const char* problem;  // "" for a valid block
};

class UploadBlock : public ::testing::TestWithParam<BlockCase> {};

TEST_P(UploadBlock, isCheckedInOrder)
{
    const BlockCase& c = GetParam();
    const std::optional<QString> problem = uploadBlockProblem(c.buffer, c.length, c.inputs, c.outputs);
    EXPECT_EQ(problem.value_or(QString()), QString::fromUtf8(c.problem)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, UploadBlock,
    ::testing::Values(
        BlockCase{"valid", block(4, 6, 4, 14), 26, 2, 3, ""},
        BlockCase{"empty project, empty block", block(0, 0, 0, 0), 12, 0, 0, ""},
        BlockCase{"empty block for a project with parameters", block(0, 0, 0, 0), 12, 2, 3,
                  "上下位机输入参数个数不匹配，参数上传操作被终止！"},
        BlockCase{"length below the header", block(0, 0, 0, 0), 10, 0, 0, "上传参数错误，参数上传操作被终止！"},
        BlockCase{"odd length", block(4, 6, 4, 15), 27, 2, 3, "上传参数错误，参数上传操作被终止！"},
        BlockCase{"fewer bytes than announced", block(4, 6, 4, 10), 26, 2, 3, "上传参数错误，参数上传操作被终止！"},
        BlockCase{"tables do not add up", block(4, 6, 4, 16), 28, 2, 3, "下位机参数长度错误，参数上传操作被终止！"},
        BlockCase{"input count", block(4, 6, 4, 14), 26, 3, 3, "上下位机输入参数个数不匹配，参数上传操作被终止！"},
        BlockCase{"output count", block(4, 6, 4, 14), 26, 2, 2, "上下位机输出参数个数不匹配，参数上传操作被终止！"},
        BlockCase{"connection table length", block(4, 4, 6, 14), 26, 2, 2,
                  "下位机输入参数表与连接参数表长度不匹配，参数上传操作被终止！"},
        BlockCase{"device tables too long", block(16386, 0, 16386, 32772), 32784, 8193, 0,
                  "下位机参数表长度超出范围，参数上传操作被终止！"}),
    [](const ::testing::TestParamInfo<BlockCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

}  // namespace
}  // namespace hesk::files
