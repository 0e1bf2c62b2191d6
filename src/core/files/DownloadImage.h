#pragma once
// The parameter download's image: the rows of a parameter file turned into the compact
// big-endian table the drive takes in one transfer.
//
//   offset 0        2 bytes   number of value entries V
//   offset 2        2 bytes   number of connection entries C
//   offset 4        4 x V     value entries: device address, raw value
//   offset 4 + 4V   4 x C     connection entries: device address of the input, negated
//                             device address of the source (0x8000: no source)
//
// Which rows may be downloaded is decided by the row-key table (built from the project:
// the parameters whose importFlag is "1" and whose row label has 12 characters). Every
// rejected row is logged with its reason; the row results feed the result count.
//
// Contract: UI thread (the serial-number question goes through the prompt); the project
// is only read, but the formula state is used for the conversions.

#include "DnlFormat.h"

#include "model/LogSink.h"
#include "model/OpenedProject.h"
#include "model/UserMessage.h"
#include "model/UserPrompt.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace hesk::files {

// One list holds at most 8192 entries (a working buffer of 32768 bytes).
inline constexpr std::size_t kMaxDownloadEntries = 8192;

// What the row-key table says about a row key ("0100|001").
struct DownloadRowKey {
    bool hasSubIndex = false;
    bool readOnly = false;
};
using DownloadRowKeys = QHash<QString, DownloadRowKey>;

DownloadRowKeys buildDownloadRowKeys(const model::HeskProject& project);

// "P" or "r", the four digits of the row key and, with sub-indices, "." and the decimal
// sub-index: "P0107.1", "P0100", "r0002".
QString downloadDisplayKey(const QString& rowKey, const DownloadRowKey& entry);
// The same key for a project parameter.
QString downloadDisplayKey(const model::HeskParameterElement& element);

// Settable and importFlag other than "0".
bool isDownloadable(const model::HeskParameterElement& element);

struct DownloadEntry {
    uint16_t address = 0;
    uint16_t word = 0;
    bool operator==(const DownloadEntry&) const = default;
};

struct DownloadBuild {
    // Set when the parse failed; the message has been shown already when `shown`.
    std::optional<model::UserMessage> failure;
    std::vector<DownloadEntry> values;
    std::vector<DownloadEntry> connections;
    // Display key -> the row was accepted (true) or rejected (false).
    QHash<QString, bool> rowResults;
    // Keys the person chose not to download (P0070 after "No"): neither failed nor missing.
    QSet<QString> leftOut;

    bool ok() const { return !failure.has_value(); }
    QByteArray image() const;
};

// The serial-number question and its answer, for callers that know it beforehand
// (heskmon --serial-number); nothing asks the prompt.
enum class SerialNumberAnswer { Ask, Yes, No };

// Parses the accepted rows (file order) and builds the entry lists. Failures: no
// accepted row or no entry at all ("文件中没有有效项，请您重新尝试打开其它文件！"), a
// serial number that names no base-value row, more entries than a list holds
// ("dnl文件中的下载项超过8192个，下载失败！").
DownloadBuild buildDownloadImage(model::OpenedProject& project, const QStringList& acceptedRows,
                                 model::UserPrompt& prompt, model::LogSink& log,
                                 SerialNumberAnswer serialNumber = SerialNumberAnswer::Ask);

struct DownloadCounts {
    int downloadable = 0;
    int succeeded = 0;
    int failed = 0;
    int missing = 0;
    QStringList failedKeys;  // in project order
    bool operator==(const DownloadCounts&) const = default;
};

// Every downloadable parameter of the project (project order) against the row results;
// a missing one is logged ("当前工程中含有此参数，但dnl文件中无此参数：" + key).
DownloadCounts countDownloadResult(const model::HeskProject& project, const DownloadBuild& build,
                                   model::LogSink& log);

// "参数下载完成！\n当前工程中可下载的参数共有%d个，..."
QString downloadResultText(const DownloadCounts& counts);

// The messages of the download (untranslated; shown through downloadMessage).
namespace downloadText {
inline constexpr char kNoValidRows[]
    = QT_TRANSLATE_NOOP("DownloadImage", "文件中没有有效项，请您重新尝试打开其它文件！");
inline constexpr char kSerialQuestion[]
    = QT_TRANSLATE_NOOP("DownloadImage", "您是否要下载装置序列号？选择否将不下载装置序列号。");
inline constexpr char kSerialWrong[] = QT_TRANSLATE_NOOP("DownloadImage", "dnl中0070参数错误，下载失败");
inline constexpr char kSerialWrongInverter[] = QT_TRANSLATE_NOOP("DownloadImage", "dnl中0070参数错误，下载失败！");
inline constexpr char kTooManyEntries[] = QT_TRANSLATE_NOOP("DownloadImage", "dnl文件中的下载项超过%1个，下载失败！");
inline constexpr char kComputedConversion[] = QT_TRANSLATE_NOOP("DownloadImage", "数据转换出错，请联系开发人员！");
}  // namespace downloadText

// One of the texts above in the language of the window.
QString downloadMessage(const char* text);

}  // namespace hesk::files
