#pragma once
// File compare: two value sets, each a parameter file or the project's factory values,
// merged row by row by (main number, aux number) and marked equal or different.
//
// The compare reader is stricter than the import's: a row is a line with three "|"
// (the first after position 0); main number = the text before the first, aux number the
// text between the first and the second, value = the text after the third without
// leading blanks. Rows must come in ascending main number and, within one, strictly
// ascending aux number; a violation stops the reading with its message and the count of
// rows read so far plus 1.
//
// Contract: pure functions and plain values; any thread. Messages are returned, not shown.

#include "model/OpenedProject.h"
#include "model/UserMessage.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace hesk::files {

struct CompareEntry {
    QString main;
    QString aux;
    QString value;
    int mainNumber = 0;
    int auxNumber = 0;
};

enum class CompareReadStatus { Read, CannotOpen, NoData, MainOrder, AuxOrder };

struct CompareRead {
    CompareReadStatus status = CompareReadStatus::NoData;
    int rowNumber = 0;  // MainOrder / AuxOrder: rows read before the violation plus 1
    std::vector<CompareEntry> entries;
    bool ok() const { return status == CompareReadStatus::Read; }
};

CompareRead parseCompareRows(const QByteArray& bytes);
CompareRead readCompareFile(const QString& path);

// The reader's message for a failed read (title "错误"); nothing when it read rows.
std::optional<model::UserMessage> compareReadMessage(const CompareRead& read, const QString& path);

// The factory values of every project parameter with a 12-character row label, in the
// file's value form, in row order.
std::vector<CompareEntry> factoryCompareEntries(const model::OpenedProject& project);

struct CompareRow {
    QString main;
    QString aux;
    QString name;
    QString comment;
    QString base;
    QString compare;
    bool inBase = false;
    bool inCompare = false;
    bool equal = false;
};

// Pass 1: the sorted lists merged; a key on one side only gives a row with an empty
// value on the other side.
std::vector<CompareRow> mergeCompareEntries(const std::vector<CompareEntry>& base,
                                            const std::vector<CompareEntry>& compare);

// Pass 2: name and comment from the project (when one is open) and equal or different
// with the approximate comparison when it is on; a value on one side only is different.
void annotateCompareRows(std::vector<CompareRow>& rows, const model::OpenedProject* project,
                         bool approximateComparison);

enum class CompareFilter { All, Equal, Different };
bool passesFilter(const CompareRow& row, CompareFilter filter);

}  // namespace hesk::files
