// The INI module: reading files as the Windows profile functions do (encodings, line
// ends, names with blanks and without case), writing one key while keeping everything
// else, and damaged or unwritable files.

#include "IniTestSupport.h"
#include "QtPrinters.h"

#include "online/IniFile.h"

#include <gtest/gtest.h>

using namespace hesk::online;
using namespace hesk::online::testing;

namespace {

// "[CURRENT MODE]\r\nMODE=232\r\n" as a Windows editor saves it in UTF-16 LE with BOM.
const QByteArray utf16ModeFile = QByteArray::fromHex(
    "fffe"
    "5b00 4300 5500 5200 5200 4500 4e00 5400 2000 4d00 4f00 4400 4500 5d00 0d00 0a00"
    "4d00 4f00 4400 4500 3d00 3200 3300 3200 0d00 0a00");

// "; 接口设置", "[232 MODE]", "PORTNAME=串口1", "[设置]", "近似=开", each with CR LF, in
// the GBK code page.
const QByteArray gbkFile = QByteArray::fromHex(
    "3b 20 bd d3 bf da c9 e8 d6 c3 0d 0a"
    "5b 32 33 32 20 4d 4f 44 45 5d 0d 0a"
    "50 4f 52 54 4e 41 4d 45 3d b4 ae bf da 31 0d 0a"
    "5b c9 e8 d6 c3 5d 0d 0a"
    "bd fc cb c6 3d bf aa 0d 0a");

TEST(IniFileRead, utf16LeFileWithBom)
{
    const IniFile file = IniFile::fromBytes(utf16ModeFile);
    EXPECT_EQ(file.encoding(), IniEncoding::Utf16LE);
    EXPECT_EQ(file.value("CURRENT MODE", "MODE"), QStringLiteral("232"));
    EXPECT_EQ(file.sectionNames(), QStringList{"CURRENT MODE"});
}

TEST(IniFileRead, gbkFileWithChineseNamesAndValues)
{
    const IniFile file = IniFile::fromBytes(gbkFile);
    EXPECT_EQ(file.encoding(), IniEncoding::Ansi);
    EXPECT_EQ(file.value("232 MODE", "PORTNAME"), QStringLiteral("串口1"));
    EXPECT_EQ(file.value(QStringLiteral("设置"), QStringLiteral("近似")), QStringLiteral("开"));
    EXPECT_EQ(file.sectionNames(), (QStringList{"232 MODE", QStringLiteral("设置")}));
}

TEST(IniFileRead, utf16BeAndUtf8WithByteOrderMarks)
{
    const QByteArray be = bomBE + be16(u"[SETTING]\r\nAPPROX=1\r\n");
    const QByteArray utf8 = QByteArray("\xEF\xBB\xBF[SETTING]\r\nAPPROX=\xE5\xBC\x80\r\n");
    EXPECT_EQ(IniFile::fromBytes(be).encoding(), IniEncoding::Utf16BE);
    EXPECT_EQ(IniFile::fromBytes(be).value("SETTING", "APPROX"), QStringLiteral("1"));
    EXPECT_EQ(IniFile::fromBytes(utf8).encoding(), IniEncoding::Utf8);
    EXPECT_EQ(IniFile::fromBytes(utf8).value("SETTING", "APPROX"), QStringLiteral("开"));
}

TEST(IniFileRead, everyLineEndStyleAndNoFinalLineEnd)
{
    for (const char* text : {"[232 MODE]\r\nPORTNAME=COM3\r\nBAUNDRATE=38400\r\n",
                             "[232 MODE]\nPORTNAME=COM3\nBAUNDRATE=38400\n",
                             "[232 MODE]\rPORTNAME=COM3\rBAUNDRATE=38400\r",
                             "[232 MODE]\r\nPORTNAME=COM3\nBAUNDRATE=38400"}) {
        SCOPED_TRACE(text);
        const IniFile file = IniFile::fromBytes(text);
        EXPECT_EQ(file.value("232 MODE", "PORTNAME"), QStringLiteral("COM3"));
        EXPECT_EQ(file.value("232 MODE", "BAUNDRATE"), QStringLiteral("38400"));
    }
}

TEST(IniFileRead, namesCompareWithoutCaseAndWithoutSurroundingBlanks)
{
    const IniFile file = IniFile::fromBytes("  [ current Mode ]  \r\n\tmode = ETHERNET \r\n[232 mode]\r\nPortName=COM3\r\n");
    EXPECT_EQ(file.value("CURRENT MODE", "MODE"), QStringLiteral("ETHERNET"));
    EXPECT_EQ(file.value(" current mode", "Mode "), QStringLiteral("ETHERNET"));
    EXPECT_EQ(file.value("232 MODE", "PORTNAME"), QStringLiteral("COM3"));
    // Inner blanks count: "232MODE" is another section.
    EXPECT_EQ(file.value("232MODE", "PORTNAME"), std::nullopt);
}

TEST(IniFileRead, firstSectionAndFirstEntryWin)
{
    const IniFile file = IniFile::fromBytes("[A]\r\nk=1\r\nk=2\r\n[B]\r\nk=3\r\n[a]\r\nk=4\r\nother=5\r\n");
    EXPECT_EQ(file.value("A", "k"), QStringLiteral("1"));
    EXPECT_EQ(file.value("a", "other"), std::nullopt);
}

TEST(IniFileRead, commentsAndStrayLinesAreNoEntries)
{
    const IniFile file =
        IniFile::fromBytes("MODE=before any section\r\n[CURRENT MODE]\r\n;MODE=232\r\njunk line\r\n=no key\r\n");
    EXPECT_EQ(file.value("CURRENT MODE", "MODE"), std::nullopt);
    EXPECT_EQ(file.value("CURRENT MODE", ";MODE"), std::nullopt);
    EXPECT_EQ(file.value("CURRENT MODE", "junk line"), std::nullopt);
}

TEST(IniFileRead, valuesLoseAMatchingPairOfQuotesAndKeepInnerEquals)
{
    const IniFile file = IniFile::fromBytes(
        "[S]\r\na=\"COM3\"\r\nb='x y'\r\nc=\"unpaired\r\nd=\"mixed'\r\ne=x=y\r\nf=\r\ng=\"\"\r\n");
    EXPECT_EQ(file.value("S", "a"), QStringLiteral("COM3"));
    EXPECT_EQ(file.value("S", "b"), QStringLiteral("x y"));
    EXPECT_EQ(file.value("S", "c"), QStringLiteral("\"unpaired"));
    EXPECT_EQ(file.value("S", "d"), QStringLiteral("\"mixed'"));
    EXPECT_EQ(file.value("S", "e"), QStringLiteral("x=y"));
    EXPECT_EQ(file.value("S", "f"), QString());
    EXPECT_EQ(file.value("S", "g"), QString());
    EXPECT_EQ(file.value("S", "missing", "fallback"), QStringLiteral("fallback"));
}

TEST(IniFileRead, valuesAreCutToTheProfileBufferOf260Characters)
{
    const QString long300(300, QLatin1Char('x'));
    QString surrogateAtEnd(IniFile::kMaxValueLength - 1, QLatin1Char('y'));
    surrogateAtEnd += QStringLiteral("😀z");  // the pair would straddle the limit
    IniFile file;
    ASSERT_TRUE(file.setValue("S", "long", long300).ok());
    ASSERT_TRUE(file.setValue("S", "pair", surrogateAtEnd).ok());
    const IniFile reread = IniFile::fromBytes(file.toBytes());

    EXPECT_EQ(reread.value("S", "long"), long300.left(259));
    EXPECT_EQ(reread.value("S", "pair"), surrogateAtEnd.left(258));
    EXPECT_EQ(reread.value("S", "missing", long300).size(), 259);
}

TEST(IniFileWrite, newFileIsUtf16LeWithBomAndCrLf)
{
    IniFile file;
    ASSERT_TRUE(file.setValue("CURRENT MODE", "MODE", "232").ok());
    EXPECT_EQ(file.toBytes(), utf16ModeFile);
}

TEST(IniFileWrite, changingOneKeyKeepsEveryOtherByteOfAUtf16File)
{
    const std::u16string_view before =
        u"; written by hand\r\n"
        u"[CURRENT MODE]\r\n"
        u"MODE=232\r\n"
        u"\r\n"
        u"[232 MODE]\r\n"
        u"  portname = COM3   \r\n"
        u"BAUNDRATE=38400\r\n"
        u"[设置]\r\n"
        u"注释=保留\r\n";
    const std::u16string_view after =
        u"; written by hand\r\n"
        u"[CURRENT MODE]\r\n"
        u"MODE=232\r\n"
        u"\r\n"
        u"[232 MODE]\r\n"
        u"  portname =/dev/ttyUSB0\r\n"
        u"BAUNDRATE=38400\r\n"
        u"[设置]\r\n"
        u"注释=保留\r\n";
    IniFile file = IniFile::fromBytes(bomLE + le16(before));
    ASSERT_TRUE(file.setValue("232 MODE", "PORTNAME", "/dev/ttyUSB0").ok());
    EXPECT_EQ(file.toBytes(), bomLE + le16(after));
}

TEST(IniFileWrite, changingOneKeyKeepsAGbkFileIn8BitAndOtherLinesByteForByte)
{
    // An undecodable byte pair (81 20) on a comment line must survive unchanged.
    const QByteArray damagedComment = QByteArray::fromHex("3b 81 20 0d 0a");
    IniFile file = IniFile::fromBytes(damagedComment + gbkFile);
    ASSERT_TRUE(file.setValue("232 MODE", "PORTNAME", QStringLiteral("串口2")).ok());

    QByteArray expected = damagedComment + gbkFile;
    expected.replace(QByteArray::fromHex("3d b4 ae bf da 31"), QByteArray::fromHex("3d b4 ae bf da 32"));
    EXPECT_EQ(file.toBytes(), expected);
    EXPECT_EQ(file.encoding(), IniEncoding::Ansi);
}

TEST(IniFileWrite, newKeyGoesAfterTheLastEntryOfItsSection)
{
    IniFile file = IniFile::fromBytes("[232 MODE]\r\nPORTNAME=COM3\r\n\r\n; next\r\n[SETTING]\r\nAPPROX=1\r\n");
    ASSERT_TRUE(file.setValue("232 mode", "BAUNDRATE", "38400").ok());
    ASSERT_TRUE(file.setValue("SETTING", "NEW", "x").ok());
    EXPECT_EQ(file.toBytes(),
              "[232 MODE]\r\nPORTNAME=COM3\r\nBAUNDRATE=38400\r\n\r\n; next\r\n[SETTING]\r\nAPPROX=1\r\nNEW=x\r\n");
}

TEST(IniFileWrite, newKeyInAnEmptySectionFollowsItsHeader)
{
    IniFile file = IniFile::fromBytes("[SETTING]\n; nothing yet\n[OTHER]\n");
    ASSERT_TRUE(file.setValue("SETTING", "APPROX", "0").ok());
    EXPECT_EQ(file.toBytes(), "[SETTING]\nAPPROX=0\n; nothing yet\n[OTHER]\n");
}

TEST(IniFileWrite, newSectionIsAppendedInTheFilesLineEndStyle)
{
    IniFile lf = IniFile::fromBytes("[CURRENT MODE]\nMODE=232");  // no final line end
    ASSERT_TRUE(lf.setValue("SETTING", "APPROX", "1").ok());
    EXPECT_EQ(lf.toBytes(), "[CURRENT MODE]\nMODE=232\n[SETTING]\nAPPROX=1\n");

    IniFile empty = IniFile::fromBytes(QByteArray());
    ASSERT_TRUE(empty.setValue("SETTING", "APPROX", "1").ok());
    EXPECT_EQ(empty.toBytes(), "[SETTING]\r\nAPPROX=1\r\n");
    EXPECT_EQ(empty.encoding(), IniEncoding::Ansi);  // an existing 8-bit file stays 8-bit
}

TEST(IniFileWrite, valuesThatReadingWouldChangeAreQuoted)
{
    IniFile file;
    for (const QString& value : {QStringLiteral(" padded "), QStringLiteral("\"quoted\""), QStringLiteral("'x'"),
                                 QStringLiteral("plain"), QStringLiteral("a=b;c")}) {
        SCOPED_TRACE(value.toStdString());
        ASSERT_TRUE(file.setValue("S", "k", value).ok());
        EXPECT_EQ(IniFile::fromBytes(file.toBytes()).value("S", "k"), value);
    }
    EXPECT_EQ(file.toBytes(), bomLE + le16(u"[S]\r\nk=a=b;c\r\n"));
}

TEST(IniFileWrite, namesAndValuesThatWouldBreakTheFileAreRefused)
{
    struct Case {
        const char* section;
        const char* key;
        const char* value;
        IniWriteStatus status;
    };
    const Case cases[] = {
        {"", "k", "v", IniWriteStatus::InvalidName},
        {"  ", "k", "v", IniWriteStatus::InvalidName},
        {"a\nb", "k", "v", IniWriteStatus::InvalidName},
        {"S", "", "v", IniWriteStatus::InvalidName},
        {"S", "a=b", "v", IniWriteStatus::InvalidName},
        {"S", ";k", "v", IniWriteStatus::InvalidName},
        {"S", "[k]", "v", IniWriteStatus::InvalidName},
        {"S", "a\rb", "v", IniWriteStatus::InvalidName},
        {"S", "k", "two\r\nlines", IniWriteStatus::InvalidValue},
        {"S", "k", "x\ry", IniWriteStatus::InvalidValue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key + "/" + c.value);
        IniFile file = IniFile::fromBytes("[S]\r\nk=old\r\n");
        EXPECT_EQ(file.setValue(c.section, c.key, c.value).status, c.status);
        EXPECT_EQ(file.toBytes(), "[S]\r\nk=old\r\n");
    }
}

TEST(IniFileDamaged, halfWrittenAndWrongEncodingFilesReadAsDefaults)
{
    const QByteArray full = bomLE + le16(u"[232 MODE]\r\nPORTNAME=COM3\r\n");
    struct Case {
        const char* name;
        QByteArray bytes;
        std::optional<QString> port;
    };
    const Case cases[] = {
        {"empty", QByteArray(), std::nullopt},
        {"only the BOM", bomLE, std::nullopt},
        {"odd byte count after the value", full.left(full.size() - 3), QStringLiteral("COM3")},
        {"cut inside the key", full.left(2 + 2 * 17), std::nullopt},
        {"cut inside the header", full.left(2 + 2 * 5), std::nullopt},
        {"UTF-16 without BOM", le16(u"[232 MODE]\r\nPORTNAME=COM3\r\n"), std::nullopt},
        {"NUL bytes and noise", QByteArray("\0\0\xFF[\x81=\x00\r", 8), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const IniFile file = IniFile::fromBytes(c.bytes);
        EXPECT_EQ(file.value("232 MODE", "PORTNAME"), c.port);
        // And it can still take a key that then reads back.
        IniFile written = file;
        ASSERT_TRUE(written.setValue("232 MODE", "BAUNDRATE", "38400").ok());
        EXPECT_EQ(IniFile::fromBytes(written.toBytes()).value("232 MODE", "BAUNDRATE"), QStringLiteral("38400"));
    }
}

TEST(IniFileDamaged, anIncompleteLastUnitIsDroppedSoAppendedTextStaysAligned)
{
    IniFile file = IniFile::fromBytes(bomLE + le16(u"[A]\r\nk=1") + QByteArray(1, '\x32'));
    ASSERT_TRUE(file.setValue("B", "n", "2").ok());
    EXPECT_EQ(file.toBytes(), bomLE + le16(u"[A]\r\nk=1\r\n[B]\r\nn=2\r\n"));
}

TEST(IniProfileFile, missingFileReadsDefaultsAndTheFirstWriteCreatesIt)
{
    TempFolder folder;
    EXPECT_EQ(IniFile::load(folder.ini()).status, IniLoadStatus::Missing);
    EXPECT_EQ(readProfileString(folder.ini(), "CURRENT MODE", "MODE", "none"), QStringLiteral("none"));

    ASSERT_TRUE(writeProfileString(folder.ini(), "CURRENT MODE", "MODE", "232").ok());
    EXPECT_EQ(readBytes(folder.ini()), utf16ModeFile);
    EXPECT_EQ(readProfileString(folder.ini(), "current mode", "mode"), QStringLiteral("232"));
    // The temporary file is gone.
    EXPECT_EQ(QDir(folder.dir.path()).entryList(QDir::Files), QStringList{"interfacecfg.ini"});
}

TEST(IniProfileFile, writesKeepTheFilesEncodingAcrossCalls)
{
    TempFolder folder;
    ASSERT_TRUE(writeBytes(folder.ini(), gbkFile));
    ASSERT_TRUE(writeProfileString(folder.ini(), "CURRENT MODE", "MODE", "232").ok());
    ASSERT_TRUE(writeProfileString(folder.ini(), QStringLiteral("设置"), QStringLiteral("近似"), QStringLiteral("关")).ok());

    const QByteArray bytes = readBytes(folder.ini());
    EXPECT_TRUE(bytes.startsWith(gbkFile.left(12 + 12 + 16)));  // comment and first section untouched
    EXPECT_EQ(IniFile::fromBytes(bytes).encoding(), IniEncoding::Ansi);
    EXPECT_EQ(readProfileString(folder.ini(), QStringLiteral("设置"), QStringLiteral("近似")), QStringLiteral("关"));
    EXPECT_EQ(readProfileString(folder.ini(), "CURRENT MODE", "MODE"), QStringLiteral("232"));
    EXPECT_EQ(readProfileString(folder.ini(), "232 MODE", "PORTNAME"), QStringLiteral("串口1"));
}

TEST(IniProfileFile, unwritableLocationGivesAFailureAndChangesNothing)
{
    TempFolder folder;
    // A regular file where the folder should be: not even root can create a file below it.
    const QString notAFolder = folder.file("plain-file");
    ASSERT_TRUE(writeBytes(notAFolder, "keep"));
    const IniWriteResult result = writeProfileString(notAFolder + "/interfacecfg.ini", "S", "k", "v");
    EXPECT_EQ(result.status, IniWriteStatus::CannotWrite);
    EXPECT_FALSE(result.detail.isEmpty());
    EXPECT_EQ(readBytes(notAFolder), "keep");
}

TEST(IniProfileFile, anExistingPathThatCannotBeReadIsNeverReplaced)
{
    TempFolder folder;
    // A folder in place of the file.
    ASSERT_TRUE(QDir().mkpath(folder.ini()));
    EXPECT_EQ(IniFile::load(folder.ini()).status, IniLoadStatus::Unreadable);
    EXPECT_EQ(readProfileString(folder.ini(), "S", "k", "d"), QStringLiteral("d"));
    EXPECT_EQ(writeProfileString(folder.ini(), "S", "k", "v").status, IniWriteStatus::CannotWrite);
    EXPECT_TRUE(QFileInfo(folder.ini()).isDir());

    // A file far beyond any settings file is not read and so not overwritten.
    const QString huge = folder.file("huge.ini");
    ASSERT_TRUE(writeBytes(huge, QByteArray(IniFile::kMaxFileSize + 1, 'x')));
    EXPECT_EQ(IniFile::load(huge).status, IniLoadStatus::Unreadable);
    EXPECT_EQ(writeProfileString(huge, "S", "k", "v").status, IniWriteStatus::CannotWrite);
    EXPECT_EQ(QFileInfo(huge).size(), IniFile::kMaxFileSize + 1);
}

}  // namespace
