#include "model/ProjectFile.h"
#include "model/ProjectRecordCodec.h"

#include "ByteBuilder.h"
#include "NamedPipes.h"
#include "ProjectFileFixtures.h"
#include "SampleProject.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include <csignal>
#include <sys/resource.h>

using namespace hesk::model;
using namespace hesk::testsupport::fixtures;
using hesk::testsupport::ByteBuilder;
using hesk::testsupport::makeSampleProject;

namespace {

class ProjectFileTest : public testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    QString writeFile(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return file.fileName();
    }

    static QByteArray readFile(const QString& filePath)
    {
        QFile file(filePath);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    static UserMessage readError(const QString& filePath)
    {
        return UserMessage::error(QStringLiteral("CPU项目文件") + filePath + QStringLiteral("错误，装载失败！"));
    }

    // An open project that a failed load must leave exactly as it is.
    static HeskProject openProject() { return makeSampleProject({.definitions = 20, .seed = 7}); }

    QTemporaryDir dir_;
};

std::vector<std::pair<uint16_t, uint16_t>> keys(const HeskProject& project)
{
    std::vector<std::pair<uint16_t, uint16_t>> result;
    for (const auto& e : project.elements)
        result.emplace_back(e.number, e.subIndex);
    return result;
}

// ---- loading ----

TEST_F(ProjectFileTest, loadsEveryFieldOfASmallProjectAndWritesTheSameBytes)
{
    const QByteArray bytes = projectBytes({{53, kNoSubIndex, "电机额定电压"}, {107, 1, "转矩限幅"}});
    HeskProject project;
    ASSERT_EQ(loadProject(writeFile("small.tmprj", bytes), project), std::nullopt);

    EXPECT_EQ(project.header.headerWord, 1);
    EXPECT_EQ(project.header.deviceType, QStringLiteral("VRA1"));
    EXPECT_EQ(project.header.deviceVersion, QStringLiteral("V1.14.18"));
    EXPECT_EQ(project.header.headerTexts3to7[1], QStringLiteral("变频器"));
    EXPECT_EQ(project.header.headerTexts3to7[4], QStringLiteral("示例"));
    EXPECT_EQ(project.header.creatorVersion, QStringLiteral("V2.16.35"));
    EXPECT_EQ(project.header.programId, 0x4A21);
    EXPECT_EQ(project.header.secondHeaderWord, 3);
    EXPECT_EQ(project.header.cpuType, QStringLiteral("HESK6504"));
    EXPECT_EQ(project.program, expectedProgram());
    EXPECT_EQ(project.timeBases, (std::array<int32_t, 6>{125, 250, 500, 1000, 2000, 4000}));
    ASSERT_EQ(project.elements.size(), 2u);
    EXPECT_EQ(project.elements[0].name, QStringLiteral("电机额定电压"));
    EXPECT_EQ(project.elements[1].number, 107);
    EXPECT_EQ(project.elements[1].subIndex, 1);
    EXPECT_EQ(project.elements[1].maxText, QStringLiteral("100.0"));
    EXPECT_EQ(project.wordTableA, (std::vector<uint16_t>{7, 8}));
    EXPECT_EQ(project.wordTableB, (std::vector<uint16_t>{9}));
    EXPECT_EQ(project.textTable, QStringList{QStringLiteral("CU")});
    EXPECT_EQ(project.byteTable, QByteArray::fromHex("007fff"));
    ASSERT_EQ(project.ubaseTable.size(), 1u);
    EXPECT_EQ(project.ubaseTable[0].columns[43], QStringLiteral("43"));
    EXPECT_EQ(project.customParameters, (std::vector<uint32_t>{53, 0x10035}));

    EXPECT_EQ(serializeProject(project), bytes);
}

TEST_F(ProjectFileTest, sortsDefinitionsByNumberWithNoSubIndexFirst)
{
    const QByteArray bytes = projectBytes({{10, 0, "a"}, {10, kNoSubIndex, "b"}, {5, 1, "c"}, {3, 2, "d"},
                                           {5, kNoSubIndex, "e"}, {3, 0, "f"}, {5, 0, "g"}});
    HeskProject project;
    ASSERT_EQ(loadProject(writeFile("unsorted.tmprj", bytes), project), std::nullopt);
    using Key = std::pair<uint16_t, uint16_t>;
    EXPECT_EQ(keys(project), (std::vector<Key>{{3, 0}, {3, 2}, {5, 255}, {5, 0}, {5, 1}, {10, 255}, {10, 0}}));
    EXPECT_EQ(project.findElement(10, 0), std::optional<std::size_t>{6});
    // parseProject keeps the file order.
    EXPECT_EQ(keys(*parseProject(bytes)).front(), (Key{10, 0}));
}

TEST_F(ProjectFileTest, missingFileReportsThePathAndKeepsTheOpenProject)
{
    HeskProject open = openProject();
    const QString missing = path("nothing.tmprj");
    EXPECT_EQ(loadProject(missing, open),
              UserMessage::error(QStringLiteral("文件") + missing + QStringLiteral("不存在，装载失败！")));
    EXPECT_EQ(open, openProject());
}

TEST_F(ProjectFileTest, pathThatCannotBeReadIsAReadErrorNotAnEmptyProject)
{
    // A folder exists but cannot be opened as a file.
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.tmprj"));
    HeskProject open = openProject();
    EXPECT_EQ(loadProject(path("folder.tmprj"), open), readError(path("folder.tmprj")));
    EXPECT_EQ(open, openProject());
}

TEST_F(ProjectFileTest, fileBeyondTheSizeCapIsRefusedUnreadWithItsOwnMessage)
{
    // A valid project followed by zeros up to one byte past the cap (sparse on disk).
    const QString file = writeFile("huge.tmprj", projectBytes());
    ASSERT_TRUE(QFile::resize(file, kMaxProjectFileBytes + 1));
    HeskProject open = openProject();
    EXPECT_EQ(loadProject(file, open),
              UserMessage::error(QStringLiteral("CPU项目文件") + file
                                 + QStringLiteral("过大（超过32 MB），不是有效的工程文件，装载失败！")));
    EXPECT_EQ(open, openProject());
    // The header alone is still read from its beginning (the device search lists it).
    EXPECT_TRUE(readProjectHeader(file));

    // At the cap exactly the file is read (and here refused as damaged: the zeros).
    ASSERT_TRUE(QFile::resize(file, kMaxProjectFileBytes));
    EXPECT_EQ(loadProject(file, open), readError(file));
}

TEST_F(ProjectFileTest, namedPipeCalledLikeAProjectIsNeverOpened)
{
    // Opening a pipe for reading blocks until a writer comes: a reader that tried would
    // hang the window (or the device search) for ever.
    const QString pipe = path("pipe.tmprj");
    ASSERT_TRUE(hesk::testsupport::makeNamedPipe(pipe));
    HeskProject open = openProject();
    const auto [message, blockedLoad] =
        hesk::testsupport::runUnblockingPipe(pipe, [&] { return loadProject(pipe, open); });
    EXPECT_FALSE(blockedLoad);
    EXPECT_EQ(message, readError(pipe));
    EXPECT_EQ(open, openProject());
    const auto [header, blockedHeader] =
        hesk::testsupport::runUnblockingPipe(pipe, [&] { return readProjectHeader(pipe); });
    EXPECT_FALSE(blockedHeader);
    EXPECT_FALSE(header);
}

TEST_F(ProjectFileTest, fileCutOffAtEveryByteFailsAndKeepsTheOpenProject)
{
    const QByteArray bytes = projectBytes({{53, kNoSubIndex, "电机额定电压"}, {107, 1, "转矩限幅"}});
    const HeskProject before = openProject();
    HeskProject open = before;
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        const QString file = writeFile("cut.tmprj", bytes.left(length));
        ASSERT_EQ(loadProject(file, open), readError(file)) << "length " << length;
        ASSERT_EQ(open, before) << "length " << length;
    }
}

TEST_F(ProjectFileTest, bytesAfterTheLastFieldAreTakenAsDamage)
{
    HeskProject open = openProject();
    const QString file = writeFile("trailing.tmprj", projectBytes() + QByteArray(1, '\0'));
    EXPECT_EQ(loadProject(file, open), readError(file));
    EXPECT_EQ(open, openProject());
}

TEST_F(ProjectFileTest, textLengthBeyondTheEndIsAReadError)
{
    const QByteArray rest = projectBytes().mid(4);  // everything after the header word
    const QByteArray tooLong[] = {
        ByteBuilder().i32(1).raw({0xFF, 0xFE, 0xFF, 0xFF, 0xF0, 0xFF}).data(),                 // UTF-16, uint16
        ByteBuilder().i32(1).raw({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF}).u32(0x40000000).data(),  // UTF-16, uint32
        ByteBuilder().i32(1).u8(0xFF).u16(0xFFF0).data(),                                       // 8-bit, uint16
    };
    for (const QByteArray& head : tooLong) {
        HeskProject open = openProject();
        const QString file = writeFile("longtext.tmprj", head + rest);
        EXPECT_EQ(loadProject(file, open), readError(file));
        EXPECT_EQ(open, openProject());
    }
}

std::string hugeCountName(const testing::TestParamInfo<HugeCount>& info)
{
    return nameOf(info.param);
}

class HugeCountTest : public ProjectFileTest, public testing::WithParamInterface<HugeCount> {};

TEST_P(HugeCountTest, countBeyondTheDataFailsBeforeAnyAllocation)
{
    // Reserving 0x7FFFFFFF definitions or rows would throw std::bad_alloc; the count is
    // rejected at once instead.
    const QByteArray bytes = projectBytes({{53, kNoSubIndex, "x"}}, GetParam());
    EXPECT_FALSE(parseProject(bytes));
    HeskProject open = openProject();
    const QString file = writeFile("huge.tmprj", bytes);
    EXPECT_EQ(loadProject(file, open), readError(file));
    EXPECT_EQ(open, openProject());
}

INSTANTIATE_TEST_SUITE_P(Arrays, HugeCountTest,
                         testing::Values(HugeCount::Packages, HugeCount::Elements, HugeCount::WordTableA,
                                         HugeCount::TextTable, HugeCount::ByteTable, HugeCount::UbaseTable,
                                         HugeCount::CustomList),
                         hugeCountName);

TEST_F(ProjectFileTest, eightBitTextsAreConvertedFromGbkAndSavedAsUtf16)
{
    // deviceType "整流回馈电源" as the code page writes it: length byte 12, then GBK.
    ByteBuilder b;
    b.i32(1).ansiText(QByteArray::fromHex("d5fbc1f7bbd8c0a1b5e7d4b4"));
    const QByteArray bytes = b.data() + projectBytes().mid(4 + 4 + 8);  // skip word and "VRA1"
    HeskProject project;
    ASSERT_EQ(loadProject(writeFile("ansi.tmprj", bytes), project), std::nullopt);
    EXPECT_EQ(project.header.deviceType, QStringLiteral("整流回馈电源"));

    ASSERT_EQ(saveProject(path("resaved.tmprj"), project), std::nullopt);
    const QByteArray saved = readFile(path("resaved.tmprj"));
    EXPECT_EQ(saved.mid(4, 4), QByteArray::fromHex("fffeff06"));
    HeskProject reloaded;
    ASSERT_EQ(loadProject(path("resaved.tmprj"), reloaded), std::nullopt);
    EXPECT_EQ(reloaded, project);
}

// ---- header-only read ----

TEST_F(ProjectFileTest, headerReadWorksWhenTheBodyIsDamagedOrMissing)
{
    ByteBuilder header;
    appendHeader(header, u"整流回馈电源", u"V2.01");
    const QByteArray bodies[] = {
        QByteArray(),                                   // ends after field 11
        QByteArray::fromHex("fffeff"),                  // cpuType cut off
        QByteArray(300, '\xFF'),                        // garbage
        projectBytes().mid(header.size()).left(100),    // a real body, truncated
    };
    for (const QByteArray& body : bodies) {
        const QString file = writeFile("header.tmprj", header.data() + body);
        const auto read = readProjectHeader(file);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->deviceType, QStringLiteral("整流回馈电源"));
        EXPECT_EQ(read->deviceVersion, QStringLiteral("V2.01"));
        EXPECT_EQ(read->headerTexts3to7[1], QStringLiteral("变频器"));
        EXPECT_EQ(read->creatorVersion, QStringLiteral("V2.16.35"));
        EXPECT_EQ(read->programId, 0x4A21);
        EXPECT_EQ(read->secondHeaderWord, 3);
        EXPECT_TRUE(read->cpuType.isEmpty());

        HeskProject open;
        EXPECT_EQ(loadProject(file, open), readError(file));
    }
}

TEST_F(ProjectFileTest, headerReadOfMissingOrShortFileGivesNothing)
{
    EXPECT_FALSE(readProjectHeader(path("missing.tmprj")));
    ByteBuilder header;
    appendHeader(header);
    EXPECT_FALSE(readProjectHeader(writeFile("short.tmprj", header.data().chopped(1))));
}

TEST_F(ProjectFileTest, headerLongerThanTheFirstReadBlockIsReadInFull)
{
    const QString longVersion(5000, QChar(0x7248));
    ByteBuilder header;
    appendHeader(header, u"VRA1", longVersion);
    const auto read = readProjectHeader(writeFile("long.tmprj", header.data() + QByteArray(10, '\xFF')));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->deviceVersion, longVersion);
}

TEST_F(ProjectFileTest, sentinelInCpuTypeStopsTheRecordReadAfterFieldEleven)
{
    const QByteArray bytes = projectBytes();
    ByteBuilder header;
    appendHeader(header);

    HeskProject target = openProject();
    target.header.cpuType = QStringLiteral("FINDDEVICE-ADDDEVICE");
    ArchiveReader reader(bytes);
    readRecord(reader, target);
    EXPECT_FALSE(reader.failed());
    EXPECT_EQ(reader.position(), header.size());
    EXPECT_EQ(target.header.deviceType, QStringLiteral("VRA1"));
    EXPECT_EQ(target.header.cpuType, QStringLiteral("FINDDEVICE-ADDDEVICE"));
    EXPECT_EQ(target.elements, openProject().elements);  // nothing beyond the header read

    HeskProject full = openProject();
    ArchiveReader fullReader(bytes);
    readRecord(fullReader, full);
    EXPECT_TRUE(fullReader.atEnd());
    EXPECT_EQ(full.header.cpuType, QStringLiteral("HESK6504"));
}

// ---- saving ----

TEST_F(ProjectFileTest, sampleProjectRoundTripsFieldForFieldAndByteForByte)
{
    const HeskProject sample = makeSampleProject({.definitions = 600});
    // The sample must hold both record forms for this to prove anything about them.
    int shortPorts = 0, longPorts = 0, shortConnections = 0, longConnections = 0;
    for (const auto& package : sample.program.packages)
        for (const auto& page : package.pages) {
            for (const auto& block : page.blocks)
                for (const auto& port : block.firstPorts)
                    ++(port.hasLongForm() ? longPorts : shortPorts);
            for (const auto& connection : page.connections)
                ++(connection.hasLongForm() ? longConnections : shortConnections);
        }
    ASSERT_GT(shortPorts * longPorts * shortConnections * longConnections, 0);

    ASSERT_EQ(saveProject(path("sample.tmprj"), sample), std::nullopt);
    HeskProject loaded;
    ASSERT_EQ(loadProject(path("sample.tmprj"), loaded), std::nullopt);
    EXPECT_EQ(loaded, sample);

    ASSERT_EQ(saveProject(path("again.tmprj"), loaded), std::nullopt);
    EXPECT_EQ(readFile(path("again.tmprj")), readFile(path("sample.tmprj")));
    EXPECT_EQ(serializeProject(*parseProject(readFile(path("sample.tmprj")))), readFile(path("sample.tmprj")));
}

TEST_F(ProjectFileTest, saveReplacesAnExistingFile)
{
    writeFile("existing.tmprj", "old content");
    const QByteArray bytes = projectBytes();
    ASSERT_EQ(saveProject(path("existing.tmprj"), *parseProject(bytes)), std::nullopt);
    EXPECT_EQ(readFile(path("existing.tmprj")), bytes);
}

TEST_F(ProjectFileTest, saveIntoMissingFolderReportsSaveFailure)
{
    const QString target = path("no/such/folder/p.tmprj");
    EXPECT_EQ(saveProject(target, openProject()), UserMessage::error(QStringLiteral("文件保存失败！")));
    EXPECT_FALSE(QFile::exists(target));
}

// Limits the size of files this process may write, as a full disk would; restores it on exit.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // get EFBIG instead of a signal
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};

TEST_F(ProjectFileTest, saveThatFailsWhileWritingLeavesThePreviousFileIntact)
{
    const QByteArray previous = projectBytes();
    writeFile("keep.tmprj", previous);
    const HeskProject larger = makeSampleProject({.definitions = 200});
    std::optional<UserMessage> result;
    {
        FileSizeLimit limit(1024);
        ASSERT_TRUE(limit.active());
        result = saveProject(path("keep.tmprj"), larger);
    }
    EXPECT_EQ(result, UserMessage::error(QStringLiteral("文件保存失败！")));
    EXPECT_EQ(readFile(path("keep.tmprj")), previous);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.tmprj")});
}

}  // namespace
