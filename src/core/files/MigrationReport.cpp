#include "MigrationReport.h"

#include "DnlImport.h"
#include "DownloadImage.h"

#include "model/ParameterTypes.h"
#include "pages/OfflineValueSet.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>

namespace hesk::files {

namespace {

using Kind = MigrationItem::Kind;

// The questions and lines show this many items; the log has them all.
constexpr int kItemsInQuestion = 20;

const char kCorrectedTemplate[] = QT_TRANSLATE_NOOP("MigrationReport", "以修正后的值%1导入");

// A text of this report in the form asked for; a text without a translation (a check's
// own words) comes back as it is.
QString inForm(const QString& text, MigrationText form)
{
    return form == MigrationText::Log ? text
                                      : QCoreApplication::translate("MigrationReport", text.toUtf8().constData());
}

QString inForm(const char* text, MigrationText form)
{
    return form == MigrationText::Log ? QString::fromUtf8(text) : QCoreApplication::translate("MigrationReport", text);
}

QString kindText(Kind kind, MigrationText form)
{
    switch (kind) {
    case Kind::UnknownRow: return inForm(QT_TRANSLATE_NOOP("MigrationReport", "工程不接受"), form);
    case Kind::Refused: return inForm(QT_TRANSLATE_NOOP("MigrationReport", "值不被接受"), form);
    case Kind::Corrected: return inForm(QT_TRANSLATE_NOOP("MigrationReport", "值将被修正"), form);
    case Kind::MissingInFile: return inForm(QT_TRANSLATE_NOOP("MigrationReport", "文件中没有"), form);
    }
    return {};
}

MigrationItem migrationItem(Kind kind, QString subject, QString reason, QString consequence, QString value = {})
{
    return {kind, std::move(subject), std::move(reason), std::move(consequence), std::move(value)};
}

// Texts the report stores untranslated and translates when shown.
QString source(const char* text) { return QString::fromUtf8(text); }

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

QString MigrationReport::summary(MigrationText form) const
{
    const QString fileVersion = this->fileVersion.isEmpty()
        ? inForm(QT_TRANSLATE_NOOP("MigrationReport", "（未注明）"), form)
        : this->fileVersion;
    return inForm(QT_TRANSLATE_NOOP(
                      "MigrationReport",
                      "dnl文件版本%1与工程版本%2不同。文件共%3行：%4行工程不接受，%5个值不被接受，%6个值将被修正；"
                      "工程中有%7个参数文件中没有。"),
                  form)
        .arg(fileVersion, projectVersion)
        .arg(rows)
        .arg(count(Kind::UnknownRow))
        .arg(count(Kind::Refused))
        .arg(count(Kind::Corrected))
        .arg(count(Kind::MissingInFile));
}

QStringList MigrationReport::lines(MigrationText form) const
{
    QStringList lines;
    for (const MigrationItem& item : items) {
        const QString consequence = item.kind == Kind::Corrected && form == MigrationText::Shown
            ? inForm(kCorrectedTemplate, form).arg(item.value)
            : inForm(item.consequence, form);
        lines << inForm(QT_TRANSLATE_NOOP("MigrationReport", "[%1] %2：%3 → %4"), form)
                     .arg(kindText(item.kind, form), item.subject, inForm(item.reason, form), consequence);
    }
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
            report.items.push_back(migrationItem(
                Kind::UnknownRow, line,
                reason.isEmpty() ? source(QT_TRANSLATE_NOOP("MigrationReport", "工程中没有此参数")) : reason,
                source(QT_TRANSLATE_NOOP("MigrationReport", "不导入"))));
        else if (!outcome.imported)
            report.items.push_back(migrationItem(
                Kind::Refused, line, reason, source(QT_TRANSLATE_NOOP("MigrationReport", "不导入，离线值保持不变"))));
        else if (!outcome.logText.isEmpty())
            report.items.push_back(migrationItem(Kind::Corrected, line, reason,
                                                 source(kCorrectedTemplate).arg(outcome.value), outcome.value));
    }
    const auto& elements = project.project().elements;
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (isDownloadable(elements[i]) && !present.contains(i))
            report.items.push_back(
                migrationItem(Kind::MissingInFile, downloadDisplayKey(elements[i]),
                              source(QT_TRANSLATE_NOOP("MigrationReport", "工程中有此参数，dnl文件中没有")),
                              source(QT_TRANSLATE_NOOP("MigrationReport", "离线值保持不变"))));
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
            report.items.push_back(
                migrationItem(Kind::MissingInFile, text.mid(missing.size()),
                              source(QT_TRANSLATE_NOOP("MigrationReport", "工程中有此参数，dnl文件中没有")),
                              source(QT_TRANSLATE_NOOP("MigrationReport", "设备上的值保持不变"))));
        else if (text.startsWith(notTaken))
            report.items.push_back(
                migrationItem(Kind::UnknownRow, text.mid(notTaken.size()),
                              source(QT_TRANSLATE_NOOP("MigrationReport", "工程中没有此参数或不允许下载")),
                              source(QT_TRANSLATE_NOOP("MigrationReport", "不下载"))));
        else if (text.startsWith(noReadOnly))
            report.items.push_back(migrationItem(Kind::UnknownRow, text.mid(noReadOnly.size()),
                                                 source(QT_TRANSLATE_NOOP("MigrationReport", "工程中没有此r参数")),
                                                 source(QT_TRANSLATE_NOOP("MigrationReport", "不下载"))));
        else if (line.level >= 3)
            report.items.push_back(
                migrationItem(Kind::Refused, text, source(QT_TRANSLATE_NOOP("MigrationReport", "下载检查不通过")),
                              source(QT_TRANSLATE_NOOP("MigrationReport", "不下载，设备上的值保持不变"))));
    }
    if (build.failure)
        report.items.push_back(migrationItem(Kind::Refused, source(QT_TRANSLATE_NOOP("MigrationReport", "dnl文件")),
                                             build.failure->text,
                                             source(QT_TRANSLATE_NOOP("MigrationReport", "不能下载"))));
    return report;
}

bool confirmMigration(const MigrationReport& report, model::UserPrompt& prompt, model::LogSink& log)
{
    if (report.items.empty())
        return true;
    log.log(report.summary(MigrationText::Log), 2);
    for (const QString& line : report.lines(MigrationText::Log))
        log.log(line, 2);
    const QStringList lines = report.lines(MigrationText::Shown);
    QString text = report.summary(MigrationText::Shown) + QStringLiteral("\n\n")
        + lines.mid(0, kItemsInQuestion).join(QLatin1Char('\n'));
    if (lines.size() > kItemsInQuestion)
        text += QCoreApplication::translate("MigrationReport", "\n……共%1项，全部列在日志中。").arg(lines.size());
    text += report.use == MigrationUse::Download ? QCoreApplication::translate("MigrationReport", "\n\n是否继续下载？")
                                                 : QCoreApplication::translate("MigrationReport", "\n\n是否继续导入？");
    return prompt.ask(QCoreApplication::translate("MigrationReport", "版本迁移报告"), text, model::PromptButtons::YesNo)
        == model::PromptAnswer::Yes;
}

}  // namespace hesk::files
