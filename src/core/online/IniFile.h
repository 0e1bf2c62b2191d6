#pragma once
// INI files read and written the way the Windows private-profile-string functions treat
// them, so a settings file moves between the platforms unchanged.
//
// Reading:
// - Encoding by byte-order mark: FF FE UTF-16 LE, FE FF UTF-16 BE, EF BB BF UTF-8; any
//   other file is 8-bit text in the drive family's ANSI code page, decoded as GB18030
//   (a superset of GBK). A UTF-16 file of odd length loses its last, incomplete byte.
// - Lines end with CR LF, LF or CR. "[name]" opens a section (the name is the text up to
//   the last "]", without surrounding blanks, and may hold blanks); "key=value" is an
//   entry (key and value without surrounding blanks); lines beginning with ";" are
//   comments; every other line is kept but means nothing.
// - Section and key names compare without case. When a section appears twice only the
//   first counts, and in it the first entry of a key.
// - A value enclosed in a matching pair of " or ' loses the pair.
// - A value is returned with at most kMaxValueLength (259) characters: the profile
//   functions fill a buffer of kValueCapacity (260) characters including the terminator,
//   and the rest of a longer value is cut off (never in the middle of a surrogate pair).
//
// Writing one key keeps everything else: the encoding and byte-order mark, every other
// line byte for byte (comments, blank lines, lines in other encodings, order), and the
// line-end style. A changed entry keeps its key spelling and indentation; a new key goes
// after the last entry of its section; a new section goes at the end of the file. A new
// file is UTF-16 LE with a byte-order mark and CR LF. Values that would lose surrounding
// blanks or quotes on reading are written in double quotes so they read back unchanged
// (a quoted value still reads the same through the Windows functions).
//
// Files are written through a temporary file that replaces the old one only when
// complete. A file that exists but cannot be read is never overwritten.
//
// Everything is reentrant; IniFile is a value type (one object per thread at a time).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace hesk::online {

enum class IniEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

enum class IniLoadStatus {
    Loaded,      // the file was read (it may hold nothing useful)
    Missing,     // there is no such file: reads give the defaults, a write creates it
    Unreadable,  // it exists but cannot be read (a folder, no permission, too large):
                 // reads give the defaults, writes are refused
};

enum class IniWriteStatus {
    Written,
    InvalidName,   // empty section or key, a key that would read as a comment, section
                   // or another key, or a line break in a name
    InvalidValue,  // a line break in the value
    CannotWrite,   // the file could not be written (or exists and could not be read)
};

struct IniWriteResult {
    IniWriteStatus status = IniWriteStatus::Written;
    QString detail;  // the file system's reason for CannotWrite
    bool ok() const { return status == IniWriteStatus::Written; }
};

class IniFile {
public:
    static constexpr qsizetype kValueCapacity = 260;
    static constexpr qsizetype kMaxValueLength = kValueCapacity - 1;
    // A settings file is a few hundred bytes; anything beyond this is not one.
    static constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;

    // An empty file that will be written as UTF-16 LE with a byte-order mark.
    IniFile();

    static IniFile fromBytes(const QByteArray& bytes);

    struct Loaded;
    static Loaded load(const QString& path);

    // The value of key in section, limited to kMaxValueLength; nothing when absent.
    std::optional<QString> value(const QString& section, const QString& key) const;
    QString value(const QString& section, const QString& key, const QString& defaultValue) const;

    // Section names in file order, as spelled in the file (duplicates included).
    QStringList sectionNames() const;

    // Sets key in section in memory (see the header comment for where it goes).
    IniWriteResult setValue(const QString& section, const QString& key, const QString& value);

    QByteArray toBytes() const;
    // Writes toBytes() through a temporary file.
    IniWriteResult save(const QString& path) const;

    IniEncoding encoding() const { return m_encoding; }

private:
    enum class LineKind { Other, Blank, Comment, Section, Entry };
    struct Line {
        QByteArray raw;  // the line's bytes without its end, as read or as encoded
        QString text;    // decoded
        QString ending;  // "\r\n", "\n", "\r" or empty for a last line without end
    };
    struct Parsed {
        LineKind kind = LineKind::Other;
        QString name;       // section or key name
        QString value;      // entry value, quotes still on
        qsizetype equalsAt = -1;
    };

    static Parsed parse(const QString& text);
    // Index of the first header of section, or nothing.
    std::optional<qsizetype> findSection(const QString& section) const;
    // End (exclusive) of the section whose header is at index header.
    qsizetype sectionEnd(qsizetype header) const;
    std::optional<qsizetype> findEntry(qsizetype header, const QString& key) const;
    Line makeLine(const QString& text, const QString& ending) const;
    void insertLine(qsizetype at, const QString& text);

    IniEncoding m_encoding = IniEncoding::Utf16LE;
    QByteArray m_bom = QByteArray("\xFF\xFE", 2);
    QString m_lineEnd = QStringLiteral("\r\n");
    std::vector<Line> m_lines;
};

struct IniFile::Loaded {
    IniLoadStatus status = IniLoadStatus::Missing;
    IniFile file;
};

// The profile-string calls: each one reads the file again, as the Windows functions do,
// so separate users of one file see each other's writes.
QString readProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& defaultValue = {});
IniWriteResult writeProfileString(const QString& path, const QString& section, const QString& key,
                                  const QString& value);

}  // namespace hesk::online
