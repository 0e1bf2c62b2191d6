// Project creation step by step, as the wizard runs it: the class check, the fixed
// definitions, the merge, the base rows, the finish checks and what lands on disk.

#include "CreationInputs.h"
#include "IntermediateFileBytes.h"
#include "QtPrinters.h"

#include "creation/FixedDefinitions.h"
#include "creation/ProjectCreation.h"
#include "creation/ProjectName.h"
#include "creation/WizardTexts.h"
#include "model/ParameterTypes.h"
#include "model/ProjectFile.h"
#include "model/SpecialParameterTable.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hesk::creation;
using namespace hesk::testsupport;
using namespace hesk::testsupport::creation;
using hesk::model::DeviceClass;
using hesk::model::HeskParameterElement;
using hesk::model::HeskProject;
using hesk::model::MessageKind;
using hesk::model::UserMessage;
namespace inter = hesk::testsupport::intermediate;

namespace {

class ProjectCreationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        inputs = dir.filePath("inputs");
        storage = dir.filePath("projects");
        ASSERT_TRUE(QDir().mkpath(inputs));
        intermediate = intermediateFile("Monitor.monitorary", inter::inverterSpec());
        workbook = inputs + "/Monitor.xlsx";
        ASSERT_TRUE(writeWorkbook(workbook, {paramSheet(inverterRows(), {}, true)}));
        ubase = inputs + "/Ubase.xlsx";
        const QStringList header = inverterBaseHeader();
        ASSERT_TRUE(writeWorkbook(ubase, {baseSheet(header, {baseRowFor(header, "37"), baseRowFor(header, "55")})}));
    }

    QString intermediateFile(const QString& name, const inter::IntermediateSpec& spec)
    {
        const QString path = inputs + "/" + name;
        EXPECT_TRUE(writeBytes(path, inter::intermediateFileBytes(spec)));
        return path;
    }

    // Every file below the storage folder.
    QStringList storedFiles() const
    {
        QStringList files;
        QDirIterator it(storage, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        return files;
    }

    static void expectMessage(const std::optional<UserMessage>& message, const QString& text, MessageKind kind)
    {
        ASSERT_TRUE(message) << "expected " << text.toStdString();
        EXPECT_EQ(message->text, text);
        EXPECT_EQ(message->kind, kind);
        EXPECT_EQ(message->title, kind == MessageKind::Error ? "错误" : "警告");
    }

    QTemporaryDir dir;
    QString inputs, storage, intermediate, workbook, ubase;
};

const HeskParameterElement* find(const HeskProject& project, const QString& key)
{
    const auto index = project.findByKeyText(key);
    return index ? &project.elements[*index] : nullptr;
}

TEST_F(ProjectCreationTest, createsTheProjectFileFromAllThreeInputs)
{
    ProjectCreation creation("VRA1", "V1.14.18");
    ASSERT_TRUE(creation.loadIntermediate(intermediate).ok());
    EXPECT_EQ(creation.deviceClass(), DeviceClass::Inverter);
    ASSERT_TRUE(creation.readConversionWorkbook(workbook).ok());
    ASSERT_TRUE(creation.readBaseWorkbook(ubase).ok());
    EXPECT_TRUE(storedFiles().isEmpty());  // nothing written before the last step

    const CreationResult result = creation.create("VRA1V11418", storage);
    ASSERT_TRUE(result.ok()) << result.detail.toStdString();
    EXPECT_EQ(result.projectPath, QDir(storage).absoluteFilePath("VRA1V11418/VRA1V11418.tmprj"));
    EXPECT_EQ(storedFiles(), QStringList({storage + "/VRA1V11418", storage + "/VRA1V11418/VRA1V11418.tmprj"}));

    HeskProject written;
    ASSERT_FALSE(hesk::model::loadProject(result.projectPath, written));
    EXPECT_EQ(written, creation.buildProject());
    EXPECT_EQ(written.header.deviceType, "VRA1");
    EXPECT_EQ(written.header.deviceVersion, "V1.14.18");
    EXPECT_EQ(written.header.creatorVersion, "V2.16.35");
    EXPECT_EQ(written.header.programId, 0x4242);
    EXPECT_EQ(written.header.cpuType, "HESK6700");
    EXPECT_EQ(written.textTable, QStringList({"text one", "第二"}));

    // Sorted, with r0071..r0073 in their places.
    QStringList keys;
    for (const HeskParameterElement& element : written.elements)
        keys << hesk::model::keyText(element);
    EXPECT_EQ(keys, QStringList({"r0021", "r0071", "r0072", "r0073", "P0100", "P0100.0", "P0100.1", "P0107.1",
                                 "P0107.2", "P0340"}));

    const HeskParameterElement* p0100 = find(written, "P0100");
    ASSERT_TRUE(p0100);
    EXPECT_EQ(p0100->name, "电机额定频率");
    EXPECT_EQ(p0100->forwardFormula, "P0100*100");
    EXPECT_EQ(p0100->reverseFormula, "P0100/100");
    EXPECT_EQ(p0100->decimals, 2);
    EXPECT_EQ(p0100->factoryValue, "50.00");
    EXPECT_EQ(p0100->referenceKey, "0100.000    ");
    EXPECT_EQ(find(written, "P0100.0")->name, "中间名100.0");  // no row: the intermediate texts stay
    EXPECT_EQ(find(written, "P0107.2")->name, "数据组选择2");
    EXPECT_EQ(find(written, "P0107.2")->auxFlag, "1");
    EXPECT_EQ(find(written, "P0107.1")->name, "中间名107.1");
    EXPECT_EQ(find(written, "P0340")->name, "直流电压设定");  // the first of two rows
    EXPECT_EQ(find(written, "P0340")->commandType, "2");
    EXPECT_EQ(find(written, "P0340")->forwardFormula, "");  // "2" reads no formulas
    EXPECT_EQ(find(written, "r0021")->name, "中间名21");    // its rows were skipped

    ASSERT_EQ(written.ubaseTable.size(), 2u);
    EXPECT_EQ(written.ubaseTable[1].columns[0], "55");
    EXPECT_EQ(written.ubaseTable[1].columns[6], "55-直流电压");
    EXPECT_EQ(written.ubaseTable[1].columns[24], "55-KTL");

    const CreationCounts& counts = creation.counts();
    EXPECT_EQ(counts.intermediateDefinitions, 7);
    EXPECT_EQ(counts.fixedDefinitions, 3);
    EXPECT_EQ(counts.workbookRows, 5);
    EXPECT_EQ(counts.skippedRows, 2);
    EXPECT_EQ(counts.mergedDefinitions, 3);
    EXPECT_EQ(counts.baseValueRows, 2);
}

TEST_F(ProjectCreationTest, fixedDefinitionsFollowTheDeviceClass)
{
    struct Case {
        QString deviceType;
        QString version;
        const char* cpuType;
        DeviceClass deviceClass;
        std::vector<std::tuple<int, const char*, const char*>> fixed;  // number, rawMin, rawMax
    };
    const std::vector<Case> cases = {
        {"VRA1", "V1.14.18", "HESK6700", DeviceClass::Inverter,
         {{71, "0", "2000"}, {72, "0.0", "10000.0"}, {73, "0.0", "10000.0"}}},
        {"有源整流电源", "V2.13.08", "HESK6504", DeviceClass::ActiveRectifier, {{71, "90", "1320"}, {72, "4.0", "6540.0"}}},
        {"整流回馈电源", "V2.01.11", "HESK6501", DeviceClass::FeedbackRectifier, {}},
        {"基本型整流电源", "V2.00.01", "HESK6704", DeviceClass::BasicRectifier, {}},
        {"标准产品测试台", "V1.00.00", "HESK6505", DeviceClass::TestBench, {}},
    };
    for (const Case& c : cases) {
        inter::IntermediateSpec spec = inter::inverterSpec();
        spec.cpuType = c.cpuType;
        ProjectCreation creation(c.deviceType, c.version);
        const StepResult step = creation.loadIntermediate(intermediateFile("class.monitorary", spec));
        ASSERT_TRUE(step.ok()) << c.cpuType << ": " << step.detail.toStdString();
        EXPECT_EQ(creation.deviceClass(), c.deviceClass);
        EXPECT_EQ(requiredDeviceClass(c.deviceType), c.deviceClass);
        const HeskProject project = creation.buildProject();
        EXPECT_EQ(creation.counts().fixedDefinitions, static_cast<int>(c.fixed.size()));
        EXPECT_EQ(project.elements.size(), 7 + c.fixed.size());
        for (const auto& [number, rawMin, rawMax] : c.fixed) {
            const auto index = project.findElement(static_cast<uint16_t>(number), 255);
            ASSERT_TRUE(index) << c.cpuType << " r00" << number;
            const HeskParameterElement& e = project.elements[*index];
            EXPECT_EQ(e.settable, 0);
            EXPECT_EQ(e.address, 0xFFFF);
            EXPECT_EQ(e.word5, 400);
            EXPECT_NE(e.word10, 0);
            EXPECT_EQ(e.rawMinText, rawMin);
            EXPECT_EQ(e.rawMaxText, rawMax);
            EXPECT_EQ(e.sourceTexts7to11[4], "T1");
        }
        EXPECT_FALSE(project.findElement(73, 255) && c.fixed.size() < 3);
    }
}

TEST_F(ProjectCreationTest, aFixedDefinitionTheProgramAlreadyHasIsNotAddedTwice)
{
    inter::IntermediateSpec spec = inter::inverterSpec();
    spec.first.push_back({72, 255, 3, 50, false, "程序自带72"});
    ProjectCreation creation("VRA1", "V1.14.18");
    ASSERT_TRUE(creation.loadIntermediate(intermediateFile("own72.monitorary", spec)).ok());
    EXPECT_EQ(creation.counts().fixedDefinitions, 2);
    const HeskProject project = creation.buildProject();
    EXPECT_EQ(std::count_if(project.elements.begin(), project.elements.end(),
                            [](const HeskParameterElement& e) { return e.number == 72; }),
              1);
    EXPECT_EQ(find(project, "r0072")->name, "程序自带72");
}

TEST_F(ProjectCreationTest, aSettableParameterOfTheSameNumberKeepsItsFixedReadOnlyTwin)
{
    inter::IntermediateSpec spec = inter::inverterSpec();
    spec.first.push_back({71, 255, 1, 60, true, "程序P0071"});
    ProjectCreation creation("VRA1", "V1.14.18");
    ASSERT_TRUE(creation.loadIntermediate(intermediateFile("p71.monitorary", spec)).ok());
    EXPECT_EQ(creation.counts().fixedDefinitions, 3);
    const HeskProject project = creation.buildProject();
    // Both are found by key text, whichever of the two sorts first.
    ASSERT_TRUE(find(project, "P0071"));
    EXPECT_EQ(find(project, "P0071")->name, "程序P0071");
    ASSERT_TRUE(find(project, "r0071"));
    EXPECT_EQ(find(project, "r0071")->address, 0xFFFF);
    EXPECT_EQ(hesk::model::SpecialParameterTable(project).element(project, "r0071"), find(project, "r0071"));
}

TEST_F(ProjectCreationTest, theIntermediateFileMustMatchTheChosenDeviceType)
{
    struct Case {
        QString deviceType;
        QString version;
        const char* cpuType;
        QString message;  // empty: accepted
        MessageKind kind;
    };
    const QString unsupported = "HESKMonitor软件暂时不支持此CPU类型，请联系开发人员！";
    const QString mismatch = "此中间文件与您选择的设备类型不符，禁止加载！";
    const std::vector<Case> cases = {
        {"VRA1", "V1.14.18", "DSP2812", unsupported, MessageKind::Error},
        {"VRA1", "V1.14.18", "NOSUCHCPU", unsupported, MessageKind::Error},
        {"VRA1", "V1.14.18", "HESK6504", mismatch, MessageKind::Warning},
        {"有源整流电源", "V2.13.08", "HESK6700", mismatch, MessageKind::Warning},
        {"整流回馈电源", "V2.01.11", "HESK6704", mismatch, MessageKind::Warning},
        {"基本型整流电源", "V2.00.01", "HESK6701", mismatch, MessageKind::Warning},
        {"标准产品测试台", "V1.00.00", "HESK6700", mismatch, MessageKind::Warning},
        {"整流回馈电源", "V2.01.11", "HESKD1", "", MessageKind::Error},
        {"VRA1", "V1.14.18", "HESK13", "", MessageKind::Error},
    };
    for (const Case& c : cases) {
        inter::IntermediateSpec spec = inter::inverterSpec();
        spec.cpuType = c.cpuType;
        ProjectCreation creation(c.deviceType, c.version);
        const StepResult step = creation.loadIntermediate(intermediateFile("check.monitorary", spec));
        if (c.message.isEmpty()) {
            EXPECT_TRUE(step.ok()) << c.cpuType;
            continue;
        }
        expectMessage(step.failure, c.message, c.kind);
        EXPECT_TRUE(creation.intermediatePath().isEmpty());
        expectMessage(creation.create("P1", storage).failure, "请加载中间文件！", MessageKind::Warning);
    }
}

TEST_F(ProjectCreationTest, deviceChoiceMustComeFromTheLists)
{
    expectMessage(ProjectCreation::checkDeviceChoice("SLM", "V2.01.11"), "未知的设备类型SLM！", MessageKind::Warning);
    expectMessage(ProjectCreation::checkDeviceChoice("VRA1", "V9.99.99"), "设备类型VRA1没有版本V9.99.99！",
                  MessageKind::Warning);
    EXPECT_FALSE(ProjectCreation::checkDeviceChoice("整流回馈电源", "V2.01.11"));
    ProjectCreation creation("VRA1", "V9.99.99");
    expectMessage(creation.loadIntermediate(intermediate).failure, "设备类型VRA1没有版本V9.99.99！",
                  MessageKind::Warning);
}

TEST(ProjectCreationChoices, firstPageOffersEveryTypeWithAClassAndItsVersions)
{
    const QStringList types = creationDeviceTypes();
    EXPECT_EQ(types, (QStringList{"VRA1", "整流回馈电源", "有源整流电源", "基本型整流电源", "标准产品测试台"}));
    // Every offered pair passes the first page's check; the class each type requires is
    // the one the intermediate file is held against.
    const DeviceClass classes[] = {DeviceClass::Inverter, DeviceClass::FeedbackRectifier, DeviceClass::ActiveRectifier,
                                   DeviceClass::BasicRectifier, DeviceClass::TestBench};
    for (qsizetype i = 0; i < types.size(); ++i) {
        SCOPED_TRACE(types[i].toStdString());
        EXPECT_EQ(requiredDeviceClass(types[i]), classes[i]);
        const QStringList versions = hesk::model::firmwareVersions(types[i]);
        ASSERT_FALSE(versions.isEmpty());
        for (const QString& version : versions)
            EXPECT_FALSE(ProjectCreation::checkDeviceChoice(types[i], version)) << version.toStdString();
    }
}

TEST(ProjectCreationChoices, fileDialogFiltersTakeThePartBeforeTheFirstBar)
{
    EXPECT_EQ(wizard::fileDialogFilter(wizard::kIntermediateFilter), QStringLiteral("项目文件(*.monitorary)"));
    EXPECT_EQ(wizard::fileDialogFilter(wizard::kConversionFilter), QStringLiteral("转换文件(*.xlsx)"));
    EXPECT_EQ(wizard::fileDialogFilter(wizard::kBaseValueFilter), QStringLiteral("Ubase文件(*.xlsx)"));
    EXPECT_EQ(wizard::fileDialogFilter(u"全部(*.*)"), QStringLiteral("全部(*.*)"));
    EXPECT_EQ(wizard::fileDialogFilter(u"|x||"), QString());
}

TEST_F(ProjectCreationTest, finishChecksRunInOrder)
{
    enum Done { None = 0, Intermediate = 1, Conversion = 2, Base = 4 };
    struct Case {
        QString name;
        int done;
        QString folder;
        QString message;
    };
    const QString folder = storage;
    const std::vector<Case> cases = {
        {"", None, "", "项目名称不能为空！"},
        {"", Intermediate | Conversion | Base, folder, "项目名称不能为空！"},
        {"../x", Intermediate | Conversion | Base, folder, "项目名称最长12位字符，仅允许字母/下划线/数字！"},
        {"P1", None, "", "请加载中间文件！"},
        {"P1", Intermediate, "", "请加载转换文件！"},
        {"P1", Intermediate | Base, folder, "请加载转换文件！"},
        {"P1", Intermediate | Conversion, folder, "请加载Ubase文件！"},
        {"P1", Intermediate | Conversion | Base, "", "请选择项目存储路径！"},
        {"P1", Intermediate | Conversion | Base, "   ", "请选择项目存储路径！"},
    };
    for (const Case& c : cases) {
        ProjectCreation creation("VRA1", "V1.14.18");
        if (c.done & Intermediate) {
            ASSERT_TRUE(creation.loadIntermediate(intermediate).ok());
        }
        if (c.done & Conversion) {
            ASSERT_TRUE(creation.readConversionWorkbook(workbook).ok());
        }
        if (c.done & Base) {
            ASSERT_TRUE(creation.readBaseWorkbook(ubase).ok());
        }
        const CreationResult result = creation.create(c.name, c.folder);
        expectMessage(result.failure, c.message, MessageKind::Warning);
        EXPECT_TRUE(result.projectPath.isEmpty());
    }
    EXPECT_TRUE(storedFiles().isEmpty());
}

TEST_F(ProjectCreationTest, projectNamesOutsideTheRuleAreRefusedAndWriteNothing)
{
    const QStringList bad = {"../x", "a/b", "a\\b", "..", ".", "ABCDEFGHIJKLM", "名称", "a b", "a.b", "a-b",
                             "/abs", "ｆｕｌｌ"};
    const QStringList good = {"A", "ABCDEFGHIJKL", "abc_123", "_", "VRA1V11418"};
    for (const QString& name : bad)
        EXPECT_FALSE(isValidProjectName(name)) << name.toStdString();
    for (const QString& name : good)
        EXPECT_TRUE(isValidProjectName(name)) << name.toStdString();

    ProjectCreation creation("VRA1", "V1.14.18");
    ASSERT_TRUE(creation.loadIntermediate(intermediate).ok());
    ASSERT_TRUE(creation.readConversionWorkbook(workbook).ok());
    ASSERT_TRUE(creation.readBaseWorkbook(ubase).ok());
    ASSERT_TRUE(QDir().mkpath(storage + "/inner"));
    for (const QString& name : bad) {
        const CreationResult result = creation.create(name, storage + "/inner");
        expectMessage(result.failure, "项目名称最长12位字符，仅允许字母/下划线/数字！", MessageKind::Warning);
    }
    EXPECT_EQ(storedFiles(), QStringList({storage + "/inner"}));
    EXPECT_FALSE(QFileInfo::exists(storage + "/x"));
}

TEST_F(ProjectCreationTest, anExistingProjectIsNotOverwrittenUnlessAsked)
{
    ProjectCreation creation("VRA1", "V1.14.18");
    ASSERT_TRUE(creation.loadIntermediate(intermediate).ok());
    ASSERT_TRUE(creation.readConversionWorkbook(workbook).ok());
    ASSERT_TRUE(creation.readBaseWorkbook(ubase).ok());

    const QString path = storage + "/Mine/Mine.tmprj";
    ASSERT_TRUE(QDir().mkpath(storage + "/Mine"));
    ASSERT_TRUE(writeBytes(path, "another project"));
    const CreationResult refused = creation.create("Mine", storage);
    expectMessage(refused.failure, "项目文件" + QDir::toNativeSeparators(QDir(storage).absoluteFilePath("Mine/Mine.tmprj"))
                                       + "已存在，请更换项目名称或存储路径！",
                  MessageKind::Warning);
    EXPECT_EQ(readBytes(path), "another project");

    const CreationResult replaced = creation.create("Mine", storage, ExistingProject::Replace);
    ASSERT_TRUE(replaced.ok());
    EXPECT_TRUE(replaced.replaced);
    HeskProject written;
    EXPECT_FALSE(hesk::model::loadProject(path, written));
    EXPECT_EQ(written.header.creatorVersion, "V2.16.35");

    // A folder of that name without a project file is used as it is.
    ASSERT_TRUE(QDir().mkpath(storage + "/Empty"));
    const CreationResult intoFolder = creation.create("Empty", storage);
    ASSERT_TRUE(intoFolder.ok());
    EXPECT_FALSE(intoFolder.replaced);

    // A file where the project folder would go: the folder cannot be made.
    ASSERT_TRUE(writeBytes(storage + "/Blocked", "x"));
    expectMessage(creation.create("Blocked", storage).failure, "文件保存失败！", MessageKind::Error);
}

TEST_F(ProjectCreationTest, workbookStepsNeedTheIntermediateFileAndReportReadFailures)
{
    const QString text = inputs + "/notes.xlsx";
    ASSERT_TRUE(writeBytes(text, "not a workbook at all"));
    const QString cut = inputs + "/cut.xlsx";
    ASSERT_TRUE(writeBytes(cut, readBytes(workbook).left(300)));
    const QString otherSheet = inputs + "/other.xlsx";
    ASSERT_TRUE(writeWorkbook(otherSheet, {paramSheet(inverterRows(), {}, false, "Sheet1")}));
    const QString fewColumns = inputs + "/few.xlsx";
    ASSERT_TRUE(writeWorkbook(fewColumns, {XSheet{"PARAM", {textRow({"参考描述", "名称"})}}}));

    ProjectCreation creation("VRA1", "V1.14.18");
    expectMessage(creation.checkIntermediateLoaded(), "请先加载中间文件！", MessageKind::Warning);
    expectMessage(creation.readConversionWorkbook(workbook).failure, "请先加载中间文件！", MessageKind::Warning);
    expectMessage(creation.readBaseWorkbook(ubase).failure, "请先加载中间文件！", MessageKind::Warning);
    ASSERT_TRUE(creation.loadIntermediate(intermediate).ok());
    EXPECT_FALSE(creation.checkIntermediateLoaded());

    struct Case {
        QString path;
        QString message;
    };
    const std::vector<Case> conversion = {
        {inputs + "/none.xlsx", "缺少所需文件！"},
        {text, "未发现Excel驱动，读取转换文件失败！"},
        {cut, "读取转换文件失败！"},
        {otherSheet, "读取转换文件失败！"},
        {fewColumns, "读取转换文件失败！"},
        {inputs, "读取转换文件失败！"},
    };
    for (const Case& c : conversion) {
        const StepResult step = creation.readConversionWorkbook(c.path);
        expectMessage(step.failure, c.message, MessageKind::Error);
        EXPECT_FALSE(step.detail.isEmpty()) << c.path.toStdString();
        EXPECT_TRUE(creation.conversionPath().isEmpty());
    }
    EXPECT_TRUE(creation.readConversionWorkbook(fewColumns).detail.contains("反推算公式"));

    const QString wrongExtension = inputs + "/Ubase.xls";
    ASSERT_TRUE(writeBytes(wrongExtension, readBytes(ubase)));
    const QString baseFewColumns = inputs + "/basefew.xlsx";
    ASSERT_TRUE(writeWorkbook(baseFewColumns, {baseSheet({"P参数读取值", "型号"}, {{"37", "x"}})}));
    const std::vector<Case> base = {
        {wrongExtension, "Ubase文件" + wrongExtension + "错误，打开失败！"},
        {inputs + "/none.xlsx", "Ubase文件" + inputs + "/none.xlsx错误，打开失败！"},
        {text, "读取Ubase文件失败！"},
        {cut, "读取Ubase文件失败！"},
        {workbook, "读取Ubase文件失败！"},  // no sheet "Sheet1"
        {baseFewColumns, "读取Ubase文件失败！"},
    };
    for (const Case& c : base) {
        expectMessage(creation.readBaseWorkbook(c.path).failure, c.message, MessageKind::Error);
        EXPECT_TRUE(creation.basePath().isEmpty());
    }
    EXPECT_TRUE(storedFiles().isEmpty());
}

TEST_F(ProjectCreationTest, aFailedStepChangesNothingAndANewIntermediateFileStartsOver)
{
    ProjectCreation creation("VRA1", "V1.14.18");
    ASSERT_TRUE(creation.loadIntermediate(intermediate).ok());
    ASSERT_TRUE(creation.readConversionWorkbook(workbook).ok());
    ASSERT_TRUE(creation.readBaseWorkbook(ubase).ok());
    const HeskProject before = creation.buildProject();

    // Failing steps keep what the earlier ones did.
    inter::IntermediateSpec rectifier = inter::inverterSpec();
    rectifier.cpuType = "HESK6504";
    const QString cut = inputs + "/cut.monitorary";
    ASSERT_TRUE(writeBytes(cut, inter::intermediateFileBytes(inter::inverterSpec()).left(100)));
    EXPECT_FALSE(creation.loadIntermediate(intermediateFile("rect.monitorary", rectifier)).ok());
    EXPECT_FALSE(creation.loadIntermediate(cut).ok());
    EXPECT_FALSE(creation.readConversionWorkbook(inputs + "/none.xlsx").ok());
    EXPECT_FALSE(creation.readBaseWorkbook(inputs + "/none.xlsx").ok());
    EXPECT_EQ(creation.buildProject(), before);
    EXPECT_EQ(creation.intermediatePath(), intermediate);
    EXPECT_EQ(creation.conversionPath(), workbook);

    // Reading another workbook replaces the merge instead of stacking on it, and the
    // base table is replaced, not appended to.
    const QString other = inputs + "/other.xlsx";
    ASSERT_TRUE(writeWorkbook(other, {paramSheet({{"0107.002    |x", "1", "1", "", "", "1", "9", "0", "", "0", "1",
                                                   "另一本", "", "0"}})}));
    ASSERT_TRUE(creation.readConversionWorkbook(other).ok());
    ASSERT_TRUE(creation.readBaseWorkbook(ubase).ok());
    const HeskProject again = creation.buildProject();
    EXPECT_EQ(find(again, "P0100")->name, "中间名100");
    EXPECT_EQ(find(again, "P0107.2")->name, "另一本");
    EXPECT_EQ(again.ubaseTable.size(), 2u);

    // A new intermediate file clears both workbook steps.
    ASSERT_TRUE(creation.loadIntermediate(intermediate).ok());
    EXPECT_TRUE(creation.conversionPath().isEmpty());
    EXPECT_TRUE(creation.basePath().isEmpty());
    EXPECT_TRUE(creation.buildProject().ubaseTable.empty());
    expectMessage(creation.create("P1", storage).failure, "请加载转换文件！", MessageKind::Warning);
}

TEST_F(ProjectCreationTest, workbooksSavedByASpreadsheetProgramCreateTheSameProject)
{
    const QString folder = QStringLiteral(HESK_TEST_FIXTURES "/creation/spreadsheet");
    ProjectCreation creation("VRA1", "V1.14.18");
    ASSERT_TRUE(creation.loadIntermediate(intermediate).ok());
    const StepResult conversion = creation.readConversionWorkbook(folder + "/PARAM.xlsx");
    ASSERT_TRUE(conversion.ok()) << conversion.detail.toStdString();
    const StepResult base = creation.readBaseWorkbook(folder + "/Sheet1.xlsx");
    ASSERT_TRUE(base.ok()) << base.detail.toStdString();

    const HeskProject project = creation.buildProject();
    EXPECT_EQ(creation.counts().workbookRows, 5);
    EXPECT_EQ(creation.counts().skippedRows, 2);
    const HeskParameterElement* p0100 = find(project, "P0100");
    ASSERT_TRUE(p0100);
    EXPECT_EQ(p0100->name, "电机额定频率");
    EXPECT_EQ(p0100->forwardFormula, "P0100*100");
    EXPECT_EQ(p0100->maxText, "100");  // stored by the program as the number 100
    EXPECT_EQ(p0100->factoryValue, "50");
    EXPECT_EQ(p0100->decimals, 2);
    EXPECT_EQ(find(project, "P0107.2")->name, "数据组选择2");
    EXPECT_EQ(find(project, "P0340")->name, "直流电压设定");
    const HeskParameterElement* r0021 = find(project, "r0021");
    EXPECT_EQ(r0021->name, "直流电压");
    EXPECT_EQ(r0021->reverseFormula, "r0021*UDCn/16384");
    EXPECT_EQ(r0021->minText, "-32768");

    ASSERT_EQ(project.ubaseTable.size(), 2u);  // the row without key is left out
    EXPECT_EQ(project.ubaseTable[0].columns[0], "37");
    EXPECT_EQ(project.ubaseTable[0].columns[2], "75.5");
    EXPECT_EQ(project.ubaseTable[0].columns[7], "1.25");
    EXPECT_EQ(project.ubaseTable[1].columns[1], "VRA1-55");
    EXPECT_EQ(project.ubaseTable[1].columns[24], "0.97");
    ASSERT_TRUE(creation.create("FROMCALC", storage).ok());
}

}  // namespace
