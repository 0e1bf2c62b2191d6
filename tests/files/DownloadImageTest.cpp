// The download image from a parameter file's rows: entries, layout, rejected rows with
// their log texts, the serial-number question and the result count.
#include "files/DownloadImage.h"

#include "editing/ConnectionEdit.h"
#include "model/FaultTableLibrary.h"
#include "model/InputValidation.h"
#include "model/ParameterValueText.h"

#include "RecordingLog.h"
#include "ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace hesk::files {
namespace {

using model::HeskParameterElement;
using model::PromptAnswer;

class DownloadImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto failure = opened.open(QStringLiteral(HESK_SOURCE_DIR "/data/projects/AIC/AICV21308/AICV21308.tmprj"));
        ASSERT_FALSE(failure.has_value()) << failure->text.toStdString();
    }
    const HeskParameterElement& element(const char* key)
    {
        const HeskParameterElement* e = opened.specials().element(opened.project(), QString::fromLatin1(key));
        if (!e) {
            for (const HeskParameterElement& candidate : opened.project().elements)
                if (downloadDisplayKey(candidate) == QString::fromLatin1(key))
                    e = &candidate;
        }
        EXPECT_NE(e, nullptr) << key;
        return *e;
    }
    static QString row(const HeskParameterElement& e, const QString& value)
    {
        return QString::fromLatin1(dnlRowBytes(e.referenceKey, value)).trimmed();
    }
    // A plain, downloadable value parameter without formula: the row of P0074.
    const HeskParameterElement& plain() { return element("P0074"); }
    DownloadBuild build(const QStringList& rows, SerialNumberAnswer serial = SerialNumberAnswer::Ask)
    {
        return buildDownloadImage(opened, rows, prompt, log, serial);
    }

    model::FaultTableLibrary faultTables;
    model::OpenedProject opened{faultTables};
    testsupport::ScriptedPrompt prompt;
    testsupport::RecordingLog log;
};

TEST_F(DownloadImageTest, rowKeyTableHoldsImportableParametersWithTheirDisplayKeys)
{
    const DownloadRowKeys keys = buildDownloadRowKeys(opened.project());
    const HeskParameterElement& p = plain();
    ASSERT_TRUE(keys.contains(p.referenceKey.left(8)));
    EXPECT_EQ(downloadDisplayKey(p.referenceKey.left(8), keys.value(p.referenceKey.left(8))), QStringLiteral("P0074"));
    EXPECT_EQ(downloadDisplayKey(QStringLiteral("0890|002"), {true, false}), QStringLiteral("P0890.2"));
    EXPECT_EQ(downloadDisplayKey(QStringLiteral("0002|000"), {false, true}), QStringLiteral("r0002"));
    // Only labels of 12 characters of importable parameters have entries.
    for (const HeskParameterElement& e : opened.project().elements) {
        if (e.importFlag == QLatin1String("1") && e.referenceKey.size() == 12) {
            EXPECT_TRUE(keys.contains(e.referenceKey.left(8))) << e.referenceKey.toStdString();
        }
    }
    EXPECT_FALSE(keys.contains(QStringLiteral("9999|000")));
}

TEST_F(DownloadImageTest, valueAndConnectionEntriesAreBigEndianInTheirTwoLists)
{
    const HeskParameterElement& value = plain();
    const HeskParameterElement* input = nullptr;
    for (const HeskParameterElement& e : opened.project().elements)
        if (isDownloadable(e) && e.isConnection() && buildDownloadRowKeys(opened.project()).contains(e.referenceKey.left(8))) {
            input = &e;
            break;
        }
    ASSERT_NE(input, nullptr);
    const std::vector<editing::ConnectionCandidate> sources = editing::connectionCandidates(opened);
    ASSERT_FALSE(sources.empty());
    const editing::ConnectionCandidate* source = nullptr;
    for (const editing::ConnectionCandidate& c : sources)
        if (c.numberText.at(0) == (input->factoryValue.startsWith(QLatin1Char('B')) ? QLatin1Char('B') : QLatin1Char('K'))
            && c.source->address != 0)
            source = &c;
    ASSERT_NE(source, nullptr);

    // The connection row comes first in the file; the image still puts values first.
    const DownloadBuild result = build({row(*input, QString::number(source->numberText.right(4).toInt())),
                                        row(value, QStringLiteral("777"))});
    ASSERT_TRUE(result.ok());
    const QByteArray image = result.image();
    ASSERT_EQ(image.size(), 12);
    auto word = [&](int at) { return static_cast<uint16_t>((uint8_t(image[at]) << 8) | uint8_t(image[at + 1])); };
    EXPECT_EQ(word(0), 1);
    EXPECT_EQ(word(2), 1);
    EXPECT_EQ(word(4), value.address);
    EXPECT_EQ(word(6), 777);
    EXPECT_EQ(word(8), input->address);
    EXPECT_EQ(word(10), static_cast<uint16_t>(-source->source->address));
}

TEST_F(DownloadImageTest, fileWithoutDownloadableRowsFailsWithNoValidRows)
{
    const QString noRows = QString::fromUtf8(downloadText::kNoValidRows);
    const HeskParameterElement* readOnly = nullptr;
    for (const HeskParameterElement& e : opened.project().elements)
        if (!e.isSettable() && e.referenceKey.size() == 12)
            readOnly = &e;
    ASSERT_NE(readOnly, nullptr);
    for (const QStringList& rows : {QStringList{},
                                    QStringList{row(*readOnly, QStringLiteral("1")),
                                                QStringLiteral("9999|000|00|               1")}}) {
        testsupport::ScriptedPrompt fresh;
        const DownloadBuild result = buildDownloadImage(opened, rows, fresh, log);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.failure->text, noRows);
        ASSERT_EQ(fresh.messages().size(), 1u);
        EXPECT_EQ(fresh.messages()[0].title, QStringLiteral("错误"));
        EXPECT_EQ(fresh.messages()[0].text, noRows);
    }
    EXPECT_TRUE(log.contains(QStringLiteral("不允许导入项：9999|000|00|               1")));
}

TEST_F(DownloadImageTest, rejectedRowsAreLoggedAndCountedAsFailed)
{
    const HeskParameterElement& p = plain();
    const model::EffectiveLimits limits = model::displayLimits(p, opened.formulas());
    const QString above = QString::number(limits.upper.toLongLong() + 1);
    const struct {
        QString value;
        QString prefix;
    } cases[] = {
        {above, QStringLiteral("修改值项值不在范围内：")},
        {QStringLiteral("abc"), model::importMessagePrefix(model::ValidationCode::WrongFormat, model::ImportValueKind::PValue)},
        {QString(), model::importMessagePrefix(model::ValidationCode::Empty, model::ImportValueKind::PValue)},
    };
    for (const auto& c : cases) {
        log.clear();
        const QString line = row(p, c.value);
        // One good row keeps the image from being empty.
        const DownloadBuild result = build({line, row(element("P0060"), QStringLiteral("1"))});
        ASSERT_TRUE(result.ok()) << c.value.toStdString();
        EXPECT_EQ(result.values.size(), 1u) << c.value.toStdString();
        EXPECT_EQ(result.rowResults.value(QStringLiteral("P0074"), true), false) << c.value.toStdString();
        EXPECT_TRUE(log.contains(c.prefix + line)) << c.value.toStdString() << " " << log.userLines().join('|').toStdString();
        const DownloadCounts counts = countDownloadResult(opened.project(), result, log);
        EXPECT_EQ(counts.failed, 1);
        EXPECT_EQ(counts.succeeded, 1);
        EXPECT_EQ(counts.failedKeys, QStringList{QStringLiteral("P0074")});
        EXPECT_EQ(counts.downloadable, counts.succeeded + counts.failed + counts.missing);
    }
}

TEST_F(DownloadImageTest, connectionThatNamesNoSourceIsRejected)
{
    const HeskParameterElement* input = nullptr;
    for (const HeskParameterElement& e : opened.project().elements)
        if (isDownloadable(e) && e.isConnection() && e.referenceKey.size() == 12 && e.importFlag == QLatin1String("1"))
            input = &e;
    ASSERT_NE(input, nullptr);
    for (const char* value : {"abc", "99999", "9876"}) {
        const QString line = row(*input, QString::fromLatin1(value));
        const DownloadBuild result = build({line, row(plain(), plain().factoryValue)});
        ASSERT_TRUE(result.ok()) << value;
        EXPECT_TRUE(result.connections.empty()) << value;
        EXPECT_FALSE(result.rowResults.value(downloadDisplayKey(*input), true)) << value;
    }
}

TEST_F(DownloadImageTest, missingParametersAreLoggedAndTheCountsAddUp)
{
    const DownloadBuild result = build({row(plain(), plain().factoryValue)});
    ASSERT_TRUE(result.ok());
    const DownloadCounts counts = countDownloadResult(opened.project(), result, log);
    int downloadable = 0;
    for (const HeskParameterElement& e : opened.project().elements)
        downloadable += isDownloadable(e) ? 1 : 0;
    EXPECT_EQ(counts.downloadable, downloadable);
    EXPECT_EQ(counts.succeeded, 1);
    EXPECT_EQ(counts.failed, 0);
    EXPECT_EQ(counts.missing, downloadable - 1);
    EXPECT_TRUE(log.contains(QStringLiteral("当前工程中含有此参数，但dnl文件中无此参数：P0060"), 3));
    EXPECT_FALSE(log.contains(QStringLiteral("当前工程中含有此参数，但dnl文件中无此参数：P0074")));
    EXPECT_EQ(downloadResultText(counts),
              QStringLiteral("参数下载完成！\n当前工程中可下载的参数共有%1个，\n从dnl文件中下载成功的参数有1个，失败的有0个！\n"
                             "dnl文件未包含的可下载参数共有%2个！\n详见日志。")
                  .arg(downloadable)
                  .arg(downloadable - 1));
}

TEST_F(DownloadImageTest, moreEntriesThanTheDriveTakesAreRefused)
{
    const QString line = row(plain(), plain().factoryValue);
    QStringList rows;
    for (std::size_t i = 0; i < kMaxDownloadEntries; ++i)
        rows << line;
    EXPECT_TRUE(build(rows).ok());  // exactly as many as a list holds
    rows << line;
    const DownloadBuild result = build(rows);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure->text, QStringLiteral("dnl文件中的下载项超过8192个，下载失败！"));
}

class SerialNumberTest : public DownloadImageTest {
protected:
    QString knownKey() const
    {
        for (const model::UbaseInfo& info : opened.project().ubaseTable)
            if (!info.columns[0].trimmed().isEmpty())
                return info.columns[0].trimmed();
        return {};
    }
    QStringList rows(const QString& serial) { return {row(element("P0060"), QStringLiteral("1")), row(element("P0070"), serial), row(plain(), plain().factoryValue)}; }
    bool hasEntryFor(const DownloadBuild& result, const char* key)
    {
        const uint16_t address = element(key).address;
        for (const DownloadEntry& e : result.values)
            if (e.address == address)
                return true;
        return false;
    }
};

TEST_F(SerialNumberTest, fileWithoutSerialNumberNeverAsks)
{
    const DownloadBuild result = build({row(plain(), plain().factoryValue)});
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(prompt.questions().empty());
}

TEST_F(SerialNumberTest, noLeavesTheSerialNumberOutWithoutCountingItAsFailed)
{
    ASSERT_FALSE(knownKey().isEmpty());
    prompt.answer(PromptAnswer::No);
    const DownloadBuild result = build(rows(knownKey()));
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(prompt.questions().size(), 1u);
    EXPECT_EQ(prompt.questions()[0].text, QString::fromUtf8(downloadText::kSerialQuestion));
    EXPECT_EQ(prompt.questions()[0].title, QStringLiteral("提示"));
    EXPECT_FALSE(hasEntryFor(result, "P0070"));
    EXPECT_FALSE(hasEntryFor(result, "P0075"));
    EXPECT_EQ(result.values.size(), 2u);
    const DownloadCounts counts = countDownloadResult(opened.project(), result, log);
    EXPECT_EQ(counts.failed, 0);
    EXPECT_FALSE(log.contains(QStringLiteral("当前工程中含有此参数，但dnl文件中无此参数：P0070")));
    EXPECT_EQ(counts.downloadable, counts.succeeded + counts.failed + counts.missing);
}

TEST_F(SerialNumberTest, yesAddsTheRatedDataOfTheBaseValueRow)
{
    const QString key = knownKey();
    const model::UbaseInfo* baseRow = nullptr;
    for (const model::UbaseInfo& info : opened.project().ubaseTable)
        if (info.columns[0].trimmed() == key)
            baseRow = &info;
    ASSERT_NE(baseRow, nullptr);
    const DownloadBuild result = build(rows(key), SerialNumberAnswer::Yes);
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(prompt.questions().empty());
    EXPECT_TRUE(hasEntryFor(result, "P0070"));
    EXPECT_TRUE(result.rowResults.value(QStringLiteral("P0070")));
    // P0080 (网侧交流电压) from column 15 of the row.
    const HeskParameterElement& lineVoltage = element("P0080");
    const model::RawConversion expected = model::rawFromDisplayText(lineVoltage, baseRow->columns[15].trimmed(),
                                                                    opened.project().timeBases, opened.formulas());
    ASSERT_TRUE(expected.raw.has_value());
    bool found = false;
    for (const DownloadEntry& e : result.values)
        found |= e.address == lineVoltage.address && e.word == *expected.raw;
    EXPECT_TRUE(found);
}

TEST_F(SerialNumberTest, yesWithAnUnknownSerialNumberFails)
{
    prompt.answer(PromptAnswer::Yes);
    const DownloadBuild result = build(rows(QStringLiteral("4242")));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.failure->text, QString::fromUtf8(downloadText::kSerialWrong));
    ASSERT_EQ(prompt.messages().size(), 1u);
    EXPECT_EQ(prompt.messages()[0].title, QStringLiteral("错误"));
}

}  // namespace
}  // namespace hesk::files

namespace hesk::files {
namespace {

// On the inverter a P0222 connection to nothing (K0000) is downloaded as K0091.
TEST(DownloadInverterConnection, p0222ToNothingBecomesK0091)
{
    model::FaultTableLibrary faultTables;
    model::OpenedProject opened{faultTables};
    ASSERT_FALSE(opened.open(QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11517/VRA1V11517.tmprj")));
    model::HeskProject& project = opened.project();
    const model::HeskParameterElement* input = nullptr;
    for (const model::HeskParameterElement& e : project.elements)
        if (isDownloadable(e) && e.isConnection() && !e.hasSubIndex() && e.factoryValue.startsWith(QLatin1Char('K')))
            input = &e;
    ASSERT_NE(input, nullptr);
    model::HeskParameterElement p0222 = *input;
    p0222.number = 222;
    p0222.address = 4321;
    p0222.referenceKey = QStringLiteral("0222|000|00|");
    p0222.importFlag = QStringLiteral("1");
    project.elements.push_back(p0222);
    const editing::SourceLookup k0091 = editing::findConnectionSource(opened, QStringLiteral("K0091"));
    ASSERT_NE(k0091.source, nullptr);

    testsupport::ScriptedPrompt prompt;
    testsupport::RecordingLog log;
    const DownloadBuild result =
        buildDownloadImage(opened, {QStringLiteral("0222|000|00|               0")}, prompt, log);
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.connections.size(), 1u);
    EXPECT_EQ(result.connections[0].address, 4321);
    EXPECT_EQ(result.connections[0].word, editing::connectionWord(*k0091.source));
    EXPECT_NE(result.connections[0].word, 0x8000);
}

}  // namespace
}  // namespace hesk::files
