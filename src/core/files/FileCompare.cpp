#include "FileCompare.h"

#include "DnlFormat.h"

#include <QFileInfo>

namespace hesk::files {

QString compareSourceText(CompareSource source)
{
    return source == CompareSource::File ? QStringLiteral(" 打开dnl文件") : QStringLiteral(" 出厂值");
}

QString compareSideLabel(CompareSide side)
{
    return side == CompareSide::Base ? QStringLiteral("基准文件") : QStringLiteral("比对文件");
}

void FileCompare::clear(CompareSide side)
{
    m_entries[index(side)].clear();
    m_names[index(side)].clear();
}

bool FileCompare::choose(CompareSide side, CompareSource source, const model::OpenedProject* project,
                         model::UserPrompt& prompt)
{
    if (source == CompareSource::Factory) {
        clear(side);
        if (project && project->isOpen())
            loadFactory(side, *project);
        return !empty(side);
    }
    model::FileDialogSpec spec;
    spec.fileName = QStringLiteral("Monitor.dnl");
    spec.filter = QString::fromLatin1(kDnlFileFilter);
    spec.defaultSuffix = QString::fromLatin1(kDnlSuffix);
    const std::optional<QString> path = prompt.openFile(spec);
    if (!path || path->isEmpty()) {
        clear(side);
        return false;
    }
    return loadFile(side, *path, prompt);
}

bool FileCompare::loadFile(CompareSide side, const QString& path, model::UserPrompt& prompt)
{
    clear(side);
    if (QFileInfo(path).suffix().compare(QLatin1String(kDnlSuffix), Qt::CaseInsensitive) != 0) {
        prompt.show(model::MessageKind::Error, QStringLiteral("错误"),
                    QStringLiteral("项目文件%1错误，打开失败！").arg(path));
        return false;
    }
    CompareRead read = readCompareFile(path);
    if (const std::optional<model::UserMessage> message = compareReadMessage(read, path)) {
        prompt.showMessage(*message);
        return false;
    }
    m_entries[index(side)] = std::move(read.entries);
    m_names[index(side)] = path;
    return true;
}

void FileCompare::loadFactory(CompareSide side, const model::OpenedProject& project)
{
    m_entries[index(side)] = factoryCompareEntries(project);
    m_names[index(side)] = m_entries[index(side)].empty() ? QString() : QStringLiteral("出厂值");
}

std::optional<std::vector<CompareRow>> FileCompare::start(const model::OpenedProject* project,
                                                          bool approximateComparison, model::UserPrompt& prompt,
                                                          const std::function<void(const QString&)>& status) const
{
    if (empty(CompareSide::Base)) {
        prompt.show(model::MessageKind::Warning, QStringLiteral("警告"), QStringLiteral("基准文件不能为空！"));
        return std::nullopt;
    }
    if (empty(CompareSide::Compare)) {
        prompt.show(model::MessageKind::Warning, QStringLiteral("警告"), QStringLiteral("比对文件不能为空！"));
        return std::nullopt;
    }
    const auto say = [&status](const char* text) {
        if (status)
            status(QString::fromUtf8(text));
    };
    say("正在比较数据(1/2)");
    std::vector<CompareRow> rows = mergeCompareEntries(entries(CompareSide::Base), entries(CompareSide::Compare));
    say("正在比较数据(2/2)");
    annotateCompareRows(rows, project, approximateComparison);
    say("正在刷新列表");
    return rows;
}

}  // namespace hesk::files
