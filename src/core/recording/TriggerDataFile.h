#pragma once
// The trigger data file (.txt): a fixed-width text table of the four channels followed
// by the record information, written as the recorder's "导出数据" and automatic save do
// and read back by "导入数据" and the main menu:
//
//   Device Style:    VRA1
//   Device Version:    V1.14.18
//   TR    CH1       CH2       CH3       CH4
//   PRE   2048/25%            ...        (trigger position / share, 8 blanks: no data)
//   1     100.000   -200.000  ...        (row number, then "%.3f" per channel, 8 wide)
//   ...
//   TIME  2026-12-11  04:05:06
//   COND  K0021 > 50
//   SAMP  1
//   FREQ  125
//   BASE  P0350 = 100.000/16384          (reference values by device type)
//   CHAN1  K0021 频率实际值
//
// Every field is padded with blanks behind it and followed by two blanks; lines end with
// "\n". The text is written in the drive family's 8-bit code page (GB18030, which is
// GBK for every text GBK can hold). The reader finds
// the rows by position between the PRE line and the TIME line and checks every field, so
// a file this writer made reads back identically and any other is refused with
// "文件格式不符！".
//
// Contract: pure functions plus the file calls; any thread.

#include "TriggerRecording.h"
#include "model/UserMessage.h"

#include <QByteArray>

#include <variant>

namespace hesk::recording {

QByteArray encodeTriggerData(const TriggerRecording& recording);
// The recording, or "文件格式不符！" when the text does not follow the layout.
std::variant<TriggerRecording, model::UserMessage> decodeTriggerData(QByteArrayView bytes);

// Reads a file: "数据文件打开失败！" when it cannot be opened, else decodeTriggerData.
std::variant<TriggerRecording, model::UserMessage> readTriggerDataFile(const QString& path);
// Writes through a temporary file and a rename; the file system's reason on failure.
struct TriggerDataWrite {
    bool ok = false;
    QString error;
};
TriggerDataWrite writeTriggerDataFile(const QString& path, const TriggerRecording& recording);

model::UserMessage dataFormatMessage();     // 文件格式不符！
model::UserMessage dataFileOpenMessage();   // 数据文件打开失败！

}  // namespace hesk::recording
