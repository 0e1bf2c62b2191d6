#pragma once
// Helpers for the INI and settings tests: file images spelled out unit by unit, and a
// temporary folder to read and write them in.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <string_view>

namespace hesk::online::testing {

// The UTF-16 LE image of a text, two bytes per code unit, built by hand.
inline QByteArray le16(std::u16string_view text)
{
    QByteArray bytes;
    for (char16_t unit : text) {
        bytes.append(static_cast<char>(unit & 0xFF));
        bytes.append(static_cast<char>(unit >> 8));
    }
    return bytes;
}

inline QByteArray be16(std::u16string_view text)
{
    QByteArray bytes;
    for (char16_t unit : text) {
        bytes.append(static_cast<char>(unit >> 8));
        bytes.append(static_cast<char>(unit & 0xFF));
    }
    return bytes;
}

inline const QByteArray bomLE("\xFF\xFE", 2);
inline const QByteArray bomBE("\xFE\xFF", 2);

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

struct TempFolder {
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }
    QString ini() const { return file(QStringLiteral("interfacecfg.ini")); }
};

}  // namespace hesk::online::testing
