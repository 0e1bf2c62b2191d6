#pragma once
// The custom page file (.fpm): 8-bit text, CR LF line ends, three header lines and one
// parameter number per line:
//
//   ;Time:   2026-12-05 12:15:00
//   ;Device Style:   VRA1
//   ;Device Version:   V1.14.18
//   100
//   107
//
// Reading trims every line and skips empty ones; a line starting with ";" is a header
// line, and the first one holding "Device Style:" gives the style (the text after its
// first ":", leading blanks removed). Every other line is a parameter line, checked by
// the caller.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace hesk::pages {

inline constexpr char kCustomPageFileFilter[] = "fpm File (*.fpm)";
inline constexpr char kCustomPageFileSuffix[] = "fpm";
// The largest custom page file that is read: a line per parameter number, so even a list
// of every number of a project stays far below it.
inline constexpr qint64 kMaxCustomPageFileBytes = 1024 * 1024;

// "_%Y%m%d_%H%M%S.fpm" of the time.
QString defaultCustomPageFileName(const QDateTime& time);

// The style name a file carries for a project's device type: "VRA1", "SLM", "AIC",
// "BLM", or "UNKNOW" for every other type (the test bench included).
QString customPageStyleName(const QString& deviceType);

// Whether a file's style names the project's device type. "VRA1" and an empty style mean
// the inverter; "SLM", "BLM" and "AIC" the rectifier supplies; besides, the style this
// system writes for the project's type always matches (so a test-bench project reads its
// own "UNKNOW" files without a question).
bool styleMatchesDeviceType(const QString& style, const QString& deviceType);

QByteArray customPageFileBytes(const QDateTime& time, const QString& styleName, const QString& deviceVersion,
                               const std::vector<uint16_t>& numbers);

struct CustomPageFileContent {
    std::optional<QString> deviceStyle;
    QStringList parameterLines;  // trimmed, in file order
};
CustomPageFileContent parseCustomPageFile(const QByteArray& bytes);

// A parameter line's number: decimal digits only, within 32 bits.
std::optional<uint32_t> parameterLineNumber(const QString& line);

}  // namespace hesk::pages
