// Feeds arbitrary bytes to the settings file's INI reader and writer. The input is three
// length bytes, a section name, a key and a value of those lengths (UTF-8), and then the
// file. Besides the sanitizers it checks the round trip the settings dialog relies on:
// a file written back unchanged is the file read, byte for byte (an odd UTF-16 file loses
// only its last byte); after setting the key, the file written reads that value back
// (cut to the length the profile functions give), keeps its encoding and every section
// it had, and writing it again changes nothing.

#include "online/IniFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {

using hesk::online::IniEncoding;
using hesk::online::IniFile;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// What the profile functions give for a value: at most kMaxValueLength characters, never
// half a surrogate pair.
bool readsAs(const QString& read, const QString& written)
{
    if (written.size() <= IniFile::kMaxValueLength)
        return read == written;
    return read.size() <= IniFile::kMaxValueLength && read.size() >= IniFile::kMaxValueLength - 1
        && written.startsWith(read);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const size_t lengths[] = {data[0] % 32u, data[1] % 32u, data[2]};
    size_t at = 3;
    QString fields[3];
    for (int i = 0; i < 3; ++i) {
        const size_t n = std::min(lengths[i], size - at);
        fields[i] = QString::fromUtf8(reinterpret_cast<const char*>(data) + at, static_cast<qsizetype>(n));
        at += n;
    }
    const QString& section = fields[0];
    const QString& key = fields[1];
    const QString& value = fields[2];
    const QByteArray bytes(reinterpret_cast<const char*>(data) + at, static_cast<qsizetype>(size - at));

    IniFile file = IniFile::fromBytes(bytes);
    const QByteArray unchanged = file.toBytes();
    const bool oddUtf16 = (file.encoding() == IniEncoding::Utf16LE || file.encoding() == IniEncoding::Utf16BE)
        && !bytes.isEmpty() && bytes.size() % 2 != 0;
    check(unchanged == (oddUtf16 ? bytes.chopped(1) : bytes));
    check(IniFile::fromBytes(unchanged).toBytes() == unchanged);

    const QStringList sectionsBefore = file.sectionNames();
    if (!file.setValue(section, key, value).ok())
        return 0;
    const QByteArray written = file.toBytes();
    const IniFile reread = IniFile::fromBytes(written);
    check(reread.encoding() == file.encoding());
    const std::optional<QString> read = reread.value(section, key);
    check(read.has_value() && readsAs(*read, value));
    const QStringList sectionsAfter = reread.sectionNames();
    check(sectionsAfter.size() >= sectionsBefore.size());
    for (qsizetype i = 0; i < sectionsBefore.size(); ++i)
        check(sectionsAfter[i] == sectionsBefore[i]);
    check(reread.toBytes() == written);
    return 0;
}
