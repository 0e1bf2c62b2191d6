#pragma once
// The intermediate file (.monitorary) that the drive-programming tool exports for one
// drive program, and the project it starts.
//
// Layout, in the project file's archive encoding (little-endian, texts in the
// HeskStringCodec form, arrays as an int32 count and the elements):
//   1 program identifier (uint16)      7 second definitions (array of TTemporaryElement)
//   2 second header word (uint16)      8 word table A (array of uint16)
//   3 CPU type name (text)             9 word table B (array of uint16)
//   4 program (HeskProgram)           10 text table (array of texts)
//   5 time bases (6 x int32)          11 byte table (array of bytes)
//   6 first definitions (array of TTemporaryElement)
// Reading uses the project file's record readers and the same bounds: a count larger
// than the data behind it fails before memory is reserved, and bytes after field 11 are
// taken as damage (the format has no checksum to tell an extension from garbage).
//
// Contract: reentrant; failures are return values (UserMessage), nothing is shown.

#include "model/HeskProject.h"
#include "model/ProjectRecords.h"
#include "model/UserMessage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace hesk::creation {

struct IntermediateFile {
    uint16_t programId = 0;
    uint16_t secondHeaderWord = 0;
    QString cpuType;
    model::HeskProgram program;
    std::array<int32_t, model::kTimeBaseCount> timeBases{};
    std::vector<model::TTemporaryElement> firstDefinitions;
    std::vector<model::TTemporaryElement> secondDefinitions;
    std::vector<uint16_t> wordTableA;
    std::vector<uint16_t> wordTableB;
    QStringList textTable;
    QByteArray byteTable;

    bool operator==(const IntermediateFile&) const = default;
};

// The file's fields; nothing when the data ends early, holds a malformed text length, a
// count beyond the data, or bytes after the last field.
std::optional<IntermediateFile> parseIntermediateFile(QByteArrayView bytes);

// The file image, for tests and the sample-project generator (this program never
// writes intermediate files otherwise). Nothing only for an array longer than an int32
// count can describe.
std::optional<QByteArray> serializeIntermediateFile(const IntermediateFile& file);

struct IntermediateLoad {
    std::optional<IntermediateFile> file;
    std::optional<model::UserMessage> failure;  // set exactly when file is not
};

// The largest intermediate file that is read (real ones are below a megabyte).
inline constexpr qint64 kMaxIntermediateFileBytes = 32 * 1024 * 1024;

// Reads the file at path (a regular file only, at most kMaxIntermediateFileBytes).
// Messages (title "错误"):
//   extension other than "monitorary" (compared without case) "项目文件<path>错误，打开失败！"
//   no such file                                               "文件<path>不存在，装载失败！"
//   larger than the cap       "CPU项目文件<path>过大（超过32 MB），不是有效的中间文件，装载失败！"
//   no regular file, unreadable or damaged                     "CPU项目文件<path>错误，装载失败！"
IntermediateLoad loadIntermediateFile(const QString& path);

// The project the intermediate file starts: fields 1 to 5 and 8 to 11 copied, one
// definition per TTemporaryElement of field 6 and then field 7 (nine words to number,
// subIndex, typeCode, address, words 5 and 6, settable, connectionFlag, word 9; eleven
// texts to source text 1, currentValueText, rawMaxText, rawMinText, comment, name and
// source texts 7 to 11). Everything else stays empty or 0; nothing is sorted here.
model::HeskProject projectFromIntermediate(const IntermediateFile& file);

// The TTemporaryElement a definition came from (the inverse of the mapping above).
model::TTemporaryElement temporaryElementOf(const model::HeskParameterElement& element);

}  // namespace hesk::creation
