#pragma once
// CSV export of a compare result: one file per chosen set (all, equal, different rows),
// named "%Y%m%d_%H%M%S_all.csv", "..._equal.csv", "..._unequal.csv", in the GB code page
// with CR LF. Every field is written as ="text" so that spreadsheet programs keep
// numbers as they are; "," becomes the full-width "，" and line breaks blanks (the field
// form has no room for either), and a quotation mark is doubled.
//
// Messages: nothing chosen "不能导出，未选择导出参数类型。", no folder "不能导出，未选择文件
// 路径。" (警告), a folder that cannot be created "创建文件路径失败。", a file that cannot be
// written "导出失败，请您重新尝试！" (错误), success "文件导出成功！" (提示).
//
// Contract: any thread for the bytes; the export on the prompt's thread.

#include "DnlCompare.h"

#include "model/UserPrompt.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace hesk::files {

// The file of one set.
QByteArray compareCsvBytes(const std::vector<CompareRow>& rows, CompareFilter set, const QString& baseLabel,
                           const QString& compareLabel);

// "20261205_121500_all.csv" and its kin.
QString compareCsvFileName(CompareFilter set, const QDateTime& time);

struct CompareCsvRequest {
    bool all = false;
    bool equal = false;
    bool different = false;
    QString folder;
    QString baseLabel;
    QString compareLabel;
    QDateTime time = QDateTime::currentDateTime();
};

// Writes the chosen files; the paths written, empty on failure (the message was shown).
QStringList exportCompareCsv(const std::vector<CompareRow>& rows, const CompareCsvRequest& request,
                             model::UserPrompt& prompt);

}  // namespace hesk::files
