#include "CompareCsvExport.h"

#include "CsvText.h"
#include "DnlFileWrite.h"

#include <QCoreApplication>
#include <QDir>

namespace hesk::files {

QByteArray compareCsvBytes(const std::vector<CompareRow>& rows, CompareFilter set, const QString& baseLabel,
                           const QString& compareLabel)
{
    QString text = csvLine({QStringLiteral("主参"), QStringLiteral("辅参"), QStringLiteral("参数名称"),
                            QStringLiteral("注释"), baseLabel, compareLabel});
    for (const CompareRow& row : rows)
        if (passesFilter(row, set))
            text += csvLine({row.main, row.aux, row.name, row.comment, row.base, row.compare});
    return gbCodePageBytes(text);
}

QString compareCsvFileName(CompareFilter set, const QDateTime& time)
{
    const QString suffix = set == CompareFilter::All     ? QStringLiteral("_all.csv")
                           : set == CompareFilter::Equal ? QStringLiteral("_equal.csv")
                                                         : QStringLiteral("_unequal.csv");
    return time.toString(QStringLiteral("yyyyMMdd_HHmmss")) + suffix;
}

QStringList exportCompareCsv(const std::vector<CompareRow>& rows, const CompareCsvRequest& request,
                             model::UserPrompt& prompt)
{
    if (!request.all && !request.equal && !request.different) {
        prompt.show(model::MessageKind::Warning, QCoreApplication::translate("CompareCsvExport", "警告"),
                    QCoreApplication::translate("CompareCsvExport", "不能导出，未选择导出参数类型。"));
        return {};
    }
    if (request.folder.trimmed().isEmpty()) {
        prompt.show(model::MessageKind::Warning, QCoreApplication::translate("CompareCsvExport", "警告"),
                    QCoreApplication::translate("CompareCsvExport", "不能导出，未选择文件路径。"));
        return {};
    }
    if (!QDir().mkpath(request.folder)) {
        prompt.show(model::MessageKind::Error, QCoreApplication::translate("CompareCsvExport", "错误"),
                    QCoreApplication::translate("CompareCsvExport", "创建文件路径失败。"));
        return {};
    }
    QStringList written;
    const QDir folder(request.folder);
    for (const auto& [chosen, set] : {std::pair{request.all, CompareFilter::All},
                                      std::pair{request.equal, CompareFilter::Equal},
                                      std::pair{request.different, CompareFilter::Different}}) {
        if (!chosen)
            continue;
        const QString path = folder.filePath(compareCsvFileName(set, request.time));
        if (!writeDnlFile(path, compareCsvBytes(rows, set, request.baseLabel, request.compareLabel)).ok) {
            prompt.show(model::MessageKind::Error, QCoreApplication::translate("CompareCsvExport", "错误"),
                        QCoreApplication::translate("CompareCsvExport", "导出失败，请您重新尝试！"));
            return {};
        }
        written << path;
    }
    prompt.show(model::MessageKind::Information, QCoreApplication::translate("CompareCsvExport", "提示"),
                QCoreApplication::translate("CompareCsvExport", "文件导出成功！"));
    return written;
}

}  // namespace hesk::files
