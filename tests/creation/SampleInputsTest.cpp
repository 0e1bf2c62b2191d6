// The generated creation inputs of the sample projects (data/sample-inputs/<key>/: the
// intermediate file and the two workbooks that tools/make-sample-projects.sh writes)
// read with the creation readers, and the installed project of each is exactly what
// project creation makes of them, so the committed projects never drift from their
// inputs.

#include "QtPrinters.h"

#include "creation/IntermediateFile.h"
#include "creation/ProjectCreation.h"
#include "model/DeviceCatalogue.h"
#include "model/ProjectFile.h"
#include "model/ProjectLocator.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <set>

using namespace hesk::creation;
using namespace hesk::model;

namespace {

QString inputsRoot()
{
    return QStringLiteral(HESK_SOURCE_DIR "/data/sample-inputs");
}

std::vector<std::string> sampleKeys()
{
    std::vector<std::string> keys;
    for (const QString& key : QDir(inputsRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        keys.push_back(key.toStdString());
    return keys;
}

class SampleInputs : public testing::TestWithParam<std::string> {
protected:
    QString key() const { return QString::fromStdString(GetParam()); }
    QString input(const QString& name) const { return QDir(inputsRoot()).filePath(key() + QLatin1Char('/') + name); }

    // The installed project of this key: its file and header tell device type and version.
    QString projectPath() const
    {
        for (const QString& code : shortCodes())
            if (key().startsWith(code))
                return ProjectLocator(QStringLiteral(HESK_SOURCE_DIR "/data/projects")).projectPath(code, key());
        return {};
    }
};

TEST_P(SampleInputs, intermediateFileSplitsSettableAndReadOnlyTables)
{
    const IntermediateLoad load = loadIntermediateFile(input(key() + QStringLiteral(".monitorary")));
    ASSERT_TRUE(load.file.has_value()) << load.failure->text.toStdString();
    const IntermediateFile& file = *load.file;
    EXPECT_NE(resolveCpuType(file.cpuType).deviceClass, DeviceClass::None) << file.cpuType.toStdString();
    EXPECT_GT(file.timeBases[0], 0);
    // First array: the settable table, second: the read-only table; each in slot order,
    // and word tables A and B hold one word per read-only and settable slot.
    auto checkTable = [](const std::vector<TTemporaryElement>& elements, bool settable, std::size_t slots) {
        EXPECT_EQ(elements.size(), slots);
        for (std::size_t i = 0; i < elements.size(); ++i) {
            EXPECT_EQ(elements[i].words[6] != 0, settable) << "element " << i;
            EXPECT_EQ(elements[i].words[3], i) << "address of element " << i;
        }
    };
    checkTable(file.firstDefinitions, true, file.wordTableB.size());
    checkTable(file.secondDefinitions, false, file.wordTableA.size());
    std::set<std::pair<uint16_t, uint16_t>> keys;
    for (const auto* table : {&file.firstDefinitions, &file.secondDefinitions})
        for (const TTemporaryElement& e : *table)
            EXPECT_TRUE(keys.insert({e.words[0], e.words[1]}).second) << e.texts[0].toStdString();
    EXPECT_FALSE(file.program.packages.empty());
    EXPECT_FALSE(file.textTable.isEmpty());
    EXPECT_FALSE(file.byteTable.isEmpty());
}

TEST_P(SampleInputs, installedProjectIsWhatCreationMakesOfTheInputs)
{
    const QString path = projectPath();
    HeskProject installed;
    const auto failure = loadProject(path, installed);
    ASSERT_FALSE(failure.has_value()) << failure->text.toStdString();

    ProjectCreation creation(installed.header.deviceType, installed.header.deviceVersion);
    for (const StepResult& step :
         {creation.loadIntermediate(input(key() + QStringLiteral(".monitorary"))),
          creation.readConversionWorkbook(input(QStringLiteral("PARAM.xlsx"))),
          creation.readBaseWorkbook(input(QStringLiteral("Ubase.xlsx")))})
        ASSERT_TRUE(step.ok()) << step.failure->text.toStdString() << " " << step.detail.toStdString();

    const HeskProject built = creation.buildProject();
    EXPECT_TRUE(built == installed) << "data/projects is out of date: run tools/make-sample-projects.sh";
    EXPECT_EQ(built.elements.size(), installed.elements.size());

    // The workbook is the device type's: a note line and a withdrawn row are skipped,
    // rows of other versions and a repeated row match nothing, five internal
    // diagnostics of the program have no row.
    const CreationCounts& counts = creation.counts();
    EXPECT_GE(counts.skippedRows, 1);
    EXPECT_GT(counts.workbookRows, counts.mergedDefinitions);
    EXPECT_EQ(counts.mergedDefinitions + 5, static_cast<int>(built.elements.size()));
}

INSTANTIATE_TEST_SUITE_P(DataSampleInputs, SampleInputs, testing::ValuesIn(sampleKeys()),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

TEST(SampleInputsFolder, holdsTheInputsOfEveryInstalledSample)
{
    EXPECT_GE(sampleKeys().size(), 7u);
    for (const std::string& key : sampleKeys()) {
        const QDir folder(QDir(inputsRoot()).filePath(QString::fromStdString(key)));
        for (const QString& name : {QString::fromStdString(key) + QStringLiteral(".monitorary"),
                                    QStringLiteral("PARAM.xlsx"), QStringLiteral("Ubase.xlsx")})
            EXPECT_TRUE(QFileInfo::exists(folder.filePath(name))) << key << "/" << name.toStdString();
    }
}

}  // namespace
