#include "FileCompare.h"

#include "DnlFormat.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace hesk::files {

namespace {

const char kFactoryName[] = QT_TRANSLATE_NOOP("FileCompare", "出厂值");

}  // namespace

QString compareSourceText(CompareSource source)
{
    return source == CompareSource::File ? QCoreApplication::translate("FileCompare", " 打开dnl文件")
                                         : QCoreApplication::translate("FileCompare", " 出厂值");
}

QString compareSideLabel(CompareSide side)
{
    return side == CompareSide::Base ? QCoreApplication::translate("FileCompare", "基准文件")
                                     : QCoreApplication::translate("FileCompare", "比对文件");
}

void FileCompare::clear(CompareSide side)
{
    m_entries[index(side)].clear();
    m_names[index(side)].clear();
    m_factory[index(side)] = false;
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
        prompt.show(model::MessageKind::Error, QCoreApplication::translate("FileCompare", "错误"),
                    QCoreApplication::translate("FileCompare", "项目文件%1错误，打开失败！").arg(path));
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
    m_factory[index(side)] = !m_entries[index(side)].empty();
    m_names[index(side)] = m_factory[index(side)] ? QString::fromUtf8(kFactoryName) : QString();
}

QString FileCompare::shownSourceName(CompareSide side) const
{
    return m_factory[index(side)] ? QCoreApplication::translate("FileCompare", kFactoryName) : m_names[index(side)];
}

std::optional<std::vector<CompareRow>> FileCompare::start(const model::OpenedProject* project,
                                                          bool approximateComparison, model::UserPrompt& prompt,
                                                          const std::function<void(const QString&)>& status) const
{
    if (empty(CompareSide::Base)) {
        prompt.show(model::MessageKind::Warning, QCoreApplication::translate("FileCompare", "警告"),
                    QCoreApplication::translate("FileCompare", "基准文件不能为空！"));
        return std::nullopt;
    }
    if (empty(CompareSide::Compare)) {
        prompt.show(model::MessageKind::Warning, QCoreApplication::translate("FileCompare", "警告"),
                    QCoreApplication::translate("FileCompare", "比对文件不能为空！"));
        return std::nullopt;
    }
    const auto say = [&status](const char* text) {
        if (status)
            status(QCoreApplication::translate("FileCompare", text));
    };
    say(QT_TRANSLATE_NOOP("FileCompare", "正在比较数据(1/2)"));
    std::vector<CompareRow> rows = mergeCompareEntries(entries(CompareSide::Base), entries(CompareSide::Compare));
    say(QT_TRANSLATE_NOOP("FileCompare", "正在比较数据(2/2)"));
    annotateCompareRows(rows, project, approximateComparison);
    say(QT_TRANSLATE_NOOP("FileCompare", "正在刷新列表"));
    return rows;
}

}  // namespace hesk::files
