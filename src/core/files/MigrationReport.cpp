#include "MigrationReport.h"

#include "DnlImport.h"
#include "DownloadImage.h"

#include "model/ParameterTypes.h"
#include "pages/OfflineValueSet.h"

#include <QSet>

#include <algorithm>

namespace hesk::files {

namespace {

using Kind = MigrationItem::Kind;

// The questions and lines show this many items; the log has them all.
constexpr int kItemsInQuestion = 20;

QString kindText(Kind kind)
{
    switch (kind) {
    case Kind::UnknownRow: return QStringLiteral("工程不接受");
    case Kind::Refused: return QStringLiteral("值不被接受");
    case Kind::Corrected: return QStringLiteral("值将被修正");
    case Kind::MissingInFile: return QStringLiteral("文件中没有");
    }
    return {};
}

QString withoutErrorMark(QString text)
{
    if (text.startsWith(QLatin1String("<错误>")))
        text.remove(0, 4);
    return text;
}

// Keeps the lines the download's checks write.
class LineCapture final : public model::LogSink {
public:
    void log(const QString& text, int level) override { lines.push_back({text, level}); }
    struct Line {
        QString text;
        int level;
    };
    std::vector<Line> lines;
};

}  // namespace

int MigrationReport::count(MigrationItem::Kind kind) const
{
    return static_cast<int>(std::count_if(items.begin(), items.end(), [kind](const MigrationItem& i) { return i.kind == kind; }));
}

QString MigrationReport::summary() const
{
    const QString fileVersion = this->fileVersion.isEmpty() ? QStringLiteral("（未注明）") : this->fileVersion;
    return QStringLiteral("dnl文件版本%1与工程版本%2不同。文件共%3行：%4行工程不接受，%5个值不被接受，%6个值将被修正；"
                          "工程中有%7个参数文件中没有。")
        .arg(fileVersion, projectVersion)
        .arg(rows)
        .arg(count(Kind::UnknownRow))
        .arg(count(Kind::Refused))
        .arg(count(Kind::Corrected))
        .arg(count(Kind::MissingInFile));
}

QStringList MigrationReport::lines() const
{
    QStringList lines;
    for (const MigrationItem& item : items)
        lines << QStringLiteral("[%1] %2：%3 → %4").arg(kindText(item.kind), item.subject, item.reason, item.consequence);
    return lines;
}

bool versionsDiffer(const DnlHeader& header, const model::HeskProject& project)
{
    return header.version.trimmed() != project.header.deviceVersion.trimmed();
}

MigrationReport importMigrationReport(model::OpenedProject& project, const DnlHeader& header, const QStringList& rows)
{
    MigrationReport report;
    report.use = MigrationUse::Import;
    report.fileVersion = header.version.trimmed();
    report.projectVersion = project.project().header.deviceVersion;
    report.rows = static_cast<int>(rows.size());
    pages::OfflineValueSet scratch;
    model::NullLogSink quiet;
    const DnlImporter importer(project, scratch, quiet, {});
    QSet<std::size_t> present;
    for (const QString& line : rows) {
        const DnlImportRowOutcome outcome = importer.checkRow(line);
        if (outcome.element)
            present.insert(*outcome.element);
        const QString reason = withoutErrorMark(outcome.logText);
        if (!outcome.element)
            report.items.push_back({Kind::UnknownRow, line, reason.isEmpty() ? QStringLiteral("工程中没有此参数") : reason,
                                    QStringLiteral("不导入")});
        else if (!outcome.imported)
            report.items.push_back({Kind::Refused, line, reason, QStringLiteral("不导入，离线值保持不变")});
        else if (!outcome.logText.isEmpty())
            report.items.push_back({Kind::Corrected, line, reason, QStringLiteral("以修正后的值%1导入").arg(outcome.value)});
    }
    const auto& elements = project.project().elements;
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (isDownloadable(elements[i]) && !present.contains(i))
            report.items.push_back({Kind::MissingInFile, downloadDisplayKey(elements[i]),
                                    QStringLiteral("工程中有此参数，dnl文件中没有"), QStringLiteral("离线值保持不变")});
    return report;
}

MigrationReport downloadMigrationReport(model::OpenedProject& project, const DnlHeader& header,
                                        const QStringList& rows)
{
    MigrationReport report;
    report.use = MigrationUse::Download;
    report.fileVersion = header.version.trimmed();
    report.projectVersion = project.project().header.deviceVersion;
    report.rows = static_cast<int>(rows.size());
    // The download's own parse, without its questions: the serial number is left out
    // (it is asked for in the real run and is no matter of versions).
    LineCapture capture;
    struct SilentPrompt final : model::UserPrompt {
        void show(model::MessageKind, const QString&, const QString&) override {}
        model::PromptAnswer ask(const QString&, const QString&, model::PromptButtons buttons) override
        {
            return model::dismissAnswer(buttons);
        }
        std::optional<QString> saveFile(const model::FileDialogSpec&) override { return std::nullopt; }
        std::optional<QString> openFile(const model::FileDialogSpec&) override { return std::nullopt; }
        std::optional<QString> chooseFolder(const model::FolderDialogSpec&) override { return std::nullopt; }
    } silent;
    const DownloadBuild build = buildDownloadImage(project, rows, silent, capture, SerialNumberAnswer::No);
    countDownloadResult(project.project(), build, capture);
    const QString missing = QStringLiteral("当前工程中含有此参数，但dnl文件中无此参数：");
    const QString notTaken = QStringLiteral("不允许导入项：");
    const QString noReadOnly = QStringLiteral("要修改的r参数不存在：");
    for (const LineCapture::Line& line : capture.lines) {
        const QString text = withoutErrorMark(line.text);
        if (text.startsWith(missing))
            report.items.push_back({Kind::MissingInFile, text.mid(missing.size()), QStringLiteral("工程中有此参数，dnl文件中没有"),
                                    QStringLiteral("设备上的值保持不变")});
        else if (text.startsWith(notTaken))
            report.items.push_back({Kind::UnknownRow, text.mid(notTaken.size()), QStringLiteral("工程中没有此参数或不允许下载"),
                                    QStringLiteral("不下载")});
        else if (text.startsWith(noReadOnly))
            report.items.push_back({Kind::UnknownRow, text.mid(noReadOnly.size()), QStringLiteral("工程中没有此r参数"),
                                    QStringLiteral("不下载")});
        else if (line.level >= 3)
            report.items.push_back({Kind::Refused, text, QStringLiteral("下载检查不通过"),
                                    QStringLiteral("不下载，设备上的值保持不变")});
    }
    if (build.failure)
        report.items.push_back({Kind::Refused, QStringLiteral("dnl文件"), build.failure->text, QStringLiteral("不能下载")});
    return report;
}

bool confirmMigration(const MigrationReport& report, model::UserPrompt& prompt, model::LogSink& log)
{
    if (report.items.empty())
        return true;
    log.log(report.summary(), 2);
    const QStringList lines = report.lines();
    for (const QString& line : lines)
        log.log(line, 2);
    QString text = report.summary() + QStringLiteral("\n\n") + lines.mid(0, kItemsInQuestion).join(QLatin1Char('\n'));
    if (lines.size() > kItemsInQuestion)
        text += QStringLiteral("\n……共%1项，全部列在日志中。").arg(lines.size());
    text += report.use == MigrationUse::Download ? QStringLiteral("\n\n是否继续下载？") : QStringLiteral("\n\n是否继续导入？");
    return prompt.ask(QStringLiteral("版本迁移报告"), text, model::PromptButtons::YesNo) == model::PromptAnswer::Yes;
}

}  // namespace hesk::files
