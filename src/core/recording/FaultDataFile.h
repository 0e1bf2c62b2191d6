#pragma once
// The fault-data file (.txt): a fault record as text, 8-bit, CR LF line ends.
//
//   Data:  2026-12-11   Time:  03:33:02
//   Device Style:    VRA1                 ("DriverBoard" for a drive-board record)
//   Device Version:    V1.14.18           ("V1.00.00" for a drive-board record)
//   then per fault a group: "G   FAULT<n>  " and per channel "CH<n>" in 8 characters
//   and "  "; its rows: the row number padded to the width of "G   FAULT<n>", "  ", then
//   per channel the sample ("%.3f", digital channels "%d") in 8 characters or 8 blanks,
//   each followed by "  "
//   FNM:<faults>   STN:<stations>   FW<i>:<word> per word of the word list (fault words as
//   four hexadecimal digits, the words after them decimal)   STATION:<station>
//
// Reading accepts exactly that layout back; writing what was read gives the same bytes
// (but for the date line when written anew). Any thread; no user interaction.

#include "FaultRecord.h"

#include "model/DeviceCatalogue.h"
#include "model/FaultCatalogue.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace hesk::recording {

struct FaultFileHeader {
    QDateTime written;
    QString deviceStyle;  // "VRA1", "SLM", "BLM", "AIC", "PTB", "UNKNOW" or "DriverBoard"
    QString deviceVersion;
    bool operator==(const FaultFileHeader&) const = default;
};

// The device style a file names for a device class, and the header of a record's file.
QString faultFileDeviceStyle(model::DeviceClass deviceClass);
FaultFileHeader faultFileHeader(const FaultRecord& record, model::DeviceClass deviceClass,
                                const QString& deviceVersion, const QDateTime& written);

QByteArray faultDataFileBytes(const FaultRecord& record, const FaultFileHeader& header);

struct FaultFileContents {
    FaultFileHeader header;
    FaultRecord record;
};

struct FaultFileRead {
    std::optional<FaultFileContents> contents;
    QString message;  // "文件格式不符！" or "文件打开失败！" when nothing was read
};

FaultFileRead parseFaultDataFile(const QByteArray& bytes);
FaultFileRead readFaultDataFile(const QString& path);

// Writes the file through a temporary file that replaces the target only when whole.
// Empty on success, else the file system's reason.
std::optional<QString> writeFaultDataFile(const QString& path, const FaultRecord& record,
                                          const FaultFileHeader& header);

// The message when a record holds fault words the catalogue cannot show (a set bit in a
// word the catalogue names no entry for); nothing when it can show them all.
std::optional<QString> faultWordMismatch(const FaultRecord& record, const model::FaultCatalogue& catalogue);

// Texts of the file's dialogs and messages.
QString faultFileFilter();         // "txt File (*.txt)"
QString faultFileProposedName();   // "FAULTDATA.txt"
QString noFaultDataText();         // "当前缓冲没有数据！"
QString faultFileExportedText(const QString& path);  // "数据成功导出至：" + path

}  // namespace hesk::recording
