#pragma once
// The parameter file (.dnl): 8-bit text, CR LF line ends on writing (LF accepted on
// reading), three header lines and one row per parameter:
//
//   ;Data:  2026-12-05   Time:  12:15:00
//   ;Device Style:    SLM
//   ;Device Version:    V1.04.00
//   0100|000|00|           50.00
//
// A row is the parameter's 12-character row label (its referenceKey, "NNNN|SSS|XX|")
// followed by the value right-aligned in 16 characters (a longer value is written whole).
// The first 8 characters (NNNN|SSS) are the row key.
//
// Contract: pure functions and plain values, no user interaction; any thread.

#include "model/ProjectRecords.h"
#include "model/RegularFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace hesk::model {
struct HeskProject;
}

namespace hesk::files {

inline constexpr char kDnlFileFilter[] = "dnl File (*.dnl)";
inline constexpr char kDnlSuffix[] = "dnl";
inline constexpr int kDnlValueWidth = 16;
inline constexpr int kDnlLabelLength = 12;
inline constexpr int kDnlRowKeyLength = 8;
// The largest parameter file read: a project has some thousand rows of 30 bytes, so this
// leaves room for hand-edited files and stops a wrong pick (an image, a log) early.
inline constexpr qint64 kMaxDnlFileBytes = 32 * 1024 * 1024;

// The style name written for a project's device type: "VRA1", "SLM", "AIC", "BLM", or
// "UNKNOW" for every other type (the test bench included).
QString dnlStyleName(const QString& deviceType);

// style + "_" + version + "_%Y%m%d_%H%M%S.dnl" of the time.
QString defaultDnlFileName(const QString& styleName, const QString& deviceVersion, const QDateTime& time);

// Lines 1 to 3, each with CR LF.
QByteArray dnlHeaderBytes(const QDateTime& time, const QString& styleName, const QString& deviceVersion);

// label + value right-aligned in 16 characters + CR LF. Texts are written as Latin-1: the
// system only ever puts ASCII into a parameter file.
QByteArray dnlRowBytes(const QString& label, const QString& value);

// The value text a file holds for a displayed value: a connection input keeps the decimal
// number of its last four characters ("K0091" gives "91", "K0000" gives "0"); a
// hexadecimal value is upper-cased and loses a leading "0X"; anything else is unchanged.
QString dnlFileValue(const model::HeskParameterElement& element, const QString& displayText);

// The accepted rows of a file: every line trimmed, kept when at least 12 characters long
// and holding "|", in file order. Header lines and blank lines never count.
struct DnlRowsRead {
    model::FileReadStatus status = model::FileReadStatus::Missing;
    QStringList rows;
    bool ok() const { return status == model::FileReadStatus::Read; }
};
DnlRowsRead readDnlRows(const QString& path);
QStringList acceptedDnlRows(const QByteArray& bytes);

// Device style and version from the first three lines: a line holding "Device Style:"
// (or "Device Version:") gives the text after that key, trimmed. Missing ones are empty.
struct DnlHeader {
    QString style;
    QString version;
};
std::optional<DnlHeader> readDnlHeader(const QString& path);  // nothing: cannot be opened
DnlHeader parseDnlHeader(const QByteArray& bytes);

// An accepted row taken apart: the decimal number at the start of characters 1 to 4, the
// decimal sub-index at the start of characters 6 to 8 (0 when there are no digits), the
// value after the last "|" trimmed, and the row key (the first 8 characters).
struct DnlRow {
    uint16_t number = 0;
    uint16_t subIndex = 0;
    QString value;
    QString rowKey;
    QString line;
};
DnlRow splitDnlRow(const QString& acceptedLine);

// The project parameter a row stands for: the one with its number and sub-index, else,
// for sub-index 0, the one with its number and no sub-index.
std::optional<std::size_t> resolveDnlRow(const model::HeskProject& project, const DnlRow& row);

}  // namespace hesk::files
