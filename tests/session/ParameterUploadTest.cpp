// The parameter upload against the real simulated drive on a pseudo-terminal: the file
// holds what the drive holds (a value changed on the drive shows in its row), a download
// of that file followed by another upload gives the same rows, the custom choice limits
// the rows, and a drive that falls silent mid-transfer ends in the time-out with no file.
#include "SessionFixture.h"

#include "files/DnlFormat.h"
#include "files/ParameterDownload.h"
#include "files/ParameterUpload.h"
#include "model/ParameterTypes.h"
#include "model/ProjectFile.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>

namespace hesk::session::test {
namespace {

using namespace std::chrono_literals;

class ParameterUploadTest : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        // The simulator's project with row labels, as a created project has them.
        model::HeskProject project = sim::test::simProject();
        for (model::HeskParameterElement& e : project.elements) {
            e.referenceKey = QStringLiteral("%1|%2|00|")
                                 .arg(e.number, 4, 10, QLatin1Char('0'))
                                 .arg(e.hasSubIndex() ? e.subIndex : 0, 3, 10, QLatin1Char('0'));
            e.auxFlag = e.hasSubIndex() ? QStringLiteral("1") : QStringLiteral("0");
            if (model::radixOfType(e.typeCode) != model::Radix::Hexadecimal)
                e.maxText = e.rawMaxText = QStringLiteral("32767");
        }
        projectPath = dir.filePath(QStringLiteral("labelled.tmprj"));
        ASSERT_FALSE(model::saveProject(projectPath, project).has_value());
    }

    std::optional<files::UploadOutcome> run(files::ParameterUpload& upload, const files::UploadOptions& options,
                                            const std::function<void()>& whileRunning = {})
    {
        std::optional<files::UploadOutcome> outcome;
        QEventLoop loop;
        QObject::connect(&upload, &files::ParameterUpload::finished, &loop, [&](const files::UploadOutcome& o) {
            outcome = o;
            loop.quit();
        });
        if (!upload.start(options))
            return std::nullopt;
        if (whileRunning)
            QTimer::singleShot(1500, &loop, whileRunning);
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        if (upload.running())
            loop.exec();
        return outcome;
    }

    files::UploadOptions to(const QString& name)
    {
        files::UploadOptions o;
        o.path = dir.filePath(name);
        return o;
    }

    // The rows of a parameter file without its header lines.
    QStringList rows(const QString& name)
    {
        return files::readDnlRows(dir.filePath(name)).rows;
    }
    QString rowValue(const QString& name, const char* labelStart)
    {
        for (const QString& row : rows(name))
            if (row.startsWith(QLatin1String(labelStart)))
                return files::splitDnlRow(row).value;
        return QStringLiteral("<no row>");
    }
};

TEST_F(ParameterUploadTest, theFileHoldsTheDrivesValuesAndSurvivesADownloadRoundTrip)
{
    startSerialSim({QStringLiteral("--baud"), QStringLiteral("38400")});
    ASSERT_EQ(sim.command(QStringLiteral("set P0089 3")), QStringLiteral("ok P0089=3"));
    openSession();
    ASSERT_TRUE(connect());
    files::ParameterUpload upload(*session, prompt);
    const auto first = run(upload, to(QStringLiteral("first.dnl")));
    ASSERT_TRUE(first.has_value());
    ASSERT_TRUE(first->success) << first->message.toStdString();
    EXPECT_EQ(first->rows, static_cast<int>(session->project().project().elements.size()));
    EXPECT_EQ(rows(QStringLiteral("first.dnl")).size(), first->rows);
    EXPECT_EQ(rowValue(QStringLiteral("first.dnl"), "0089|000|"), QStringLiteral("3"));
    EXPECT_EQ(prompt.messages().back().text,
              QStringLiteral("导出dnl文件成功，文件路径：\n") + dir.filePath(QStringLiteral("first.dnl")));
    EXPECT_TRUE(log.contains(QStringLiteral("参数上传开始")));
    EXPECT_TRUE(log.contains(QStringLiteral("参数上传完成！")));
    EXPECT_FALSE(session->scheduler().lineHeld());
    EXPECT_FALSE(session->scheduler().pollingPaused());

    // The drive changes; downloading the first file brings it back, and a second upload
    // then holds the same rows.
    ASSERT_EQ(sim.command(QStringLiteral("set P0089 5")), QStringLiteral("ok P0089=5"));
    files::ParameterDownload download(*session, prompt);
    std::optional<files::DownloadOutcome> downloaded;
    {
        QEventLoop loop;
        QObject::connect(&download, &files::ParameterDownload::finished, &loop, [&](const files::DownloadOutcome& o) {
            downloaded = o;
            loop.quit();
        });
        files::DownloadOptions options;
        options.path = dir.filePath(QStringLiteral("first.dnl"));
        options.serialNumber = files::SerialNumberAnswer::No;
        ASSERT_TRUE(download.start(options));
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ASSERT_TRUE(downloaded.has_value());
    ASSERT_TRUE(downloaded->success) << downloaded->message.toStdString();
    const auto second = run(upload, to(QStringLiteral("second.dnl")));
    ASSERT_TRUE(second.has_value());
    ASSERT_TRUE(second->success) << second->message.toStdString();
    EXPECT_EQ(rows(QStringLiteral("second.dnl")), rows(QStringLiteral("first.dnl")));
}

TEST_F(ParameterUploadTest, theCustomChoiceWritesOnlyTheCustomNumbers)
{
    startSerialSim();
    openSession();
    ASSERT_TRUE(connect());
    files::ParameterUpload upload(*session, prompt);
    files::UploadOptions options = to(QStringLiteral("custom.dnl"));
    options.customNumbers = {89, 7030};
    prompt.answer(model::PromptAnswer::Yes);
    const auto outcome = run(upload, options);
    ASSERT_TRUE(outcome.has_value());
    ASSERT_TRUE(outcome->success) << outcome->message.toStdString();
    ASSERT_FALSE(prompt.questions().empty());
    EXPECT_EQ(prompt.questions().back().title, QStringLiteral("导出项选择"));
    QSet<uint16_t> numbers;
    for (const QString& row : rows(QStringLiteral("custom.dnl")))
        numbers.insert(files::splitDnlRow(row).number);
    EXPECT_EQ(numbers, (QSet<uint16_t>{89, 7030}));

    // Cancel at the choice: nothing is sent, no file.
    prompt.answer(model::PromptAnswer::Cancel);
    options.path = dir.filePath(QStringLiteral("cancelled.dnl"));
    EXPECT_FALSE(run(upload, options).has_value());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("cancelled.dnl"))));
}

TEST_F(ParameterUploadTest, aDriveFallingSilentMidTransferEndsInTheTimeOutWithNoFile)
{
    // The inverter sample's block takes seconds at 9600 baud: the drive goes quiet in the middle.
    projectPath = QStringLiteral(HESK_SOURCE_DIR "/data/projects/VRA1/VRA1V11418/VRA1V11418.tmprj");
    startSerialSim({QStringLiteral("--baud"), QStringLiteral("9600")});
    openSession();
    ASSERT_TRUE(connect());
    files::ParameterUpload upload(*session, prompt);
    const auto outcome = run(upload, to(QStringLiteral("never.dnl")),
                             [this] { EXPECT_EQ(sim.command(QStringLiteral("mute on")).left(2), QStringLiteral("ok")); });
    ASSERT_TRUE(outcome.has_value());
    EXPECT_FALSE(outcome->success);
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("上传参数超时,请重新尝试！"));
    EXPECT_TRUE(log.contains(QStringLiteral("上传参数超时，退出参数上传！")));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("never.dnl"))));
    EXPECT_TRUE(log.contains(QStringLiteral("接收参数长度信号,回复")));  // the transfer had begun
    EXPECT_FALSE(session->scheduler().lineHeld());
}

TEST_F(ParameterUploadTest, refusalsComeBeforeAnythingIsSent)
{
    startSerialSim();
    openSession();
    ASSERT_TRUE(connect());
    files::ParameterUpload upload(*session, prompt);
    files::UploadOptions recording = to(QStringLiteral("x.dnl"));
    recording.recorderState = [] { return 5; };
    EXPECT_FALSE(upload.start(recording));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("正在进行触发录波，不允许参数上传！"));
    hooks.controlHeld = true;
    EXPECT_FALSE(upload.start(to(QStringLiteral("x.dnl"))));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("请先释放控制权，再进行参数上传！"));
    hooks.controlHeld = false;
    prompt.chooseFile(std::nullopt);
    EXPECT_FALSE(upload.start({}));
    EXPECT_EQ(prompt.messages().back().text, QStringLiteral("请选择导出dnl文件路径，参数上传任务失败！"));
    EXPECT_FALSE(log.contains(QStringLiteral("参数上传开始")));
}

}  // namespace
}  // namespace hesk::session::test
