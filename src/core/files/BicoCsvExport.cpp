#include "BicoCsvExport.h"

#include "CsvText.h"
#include "DnlFileWrite.h"

#include <QCoreApplication>

namespace hesk::files {

QByteArray bicoCsvBytes(const std::vector<pages::BicoConnection>& connections)
{
    QString text = csvLine({QStringLiteral("输入参数"), QStringLiteral("名称"), QStringLiteral("信号源"),
                            QStringLiteral("信号源名称")});
    for (const pages::BicoConnection& c : connections)
        text += csvLine({c.input, c.inputName, c.source, c.sourceName});
    return gbCodePageBytes(text);
}

QString defaultBicoCsvName(const QString& styleName, const QString& deviceVersion, const QDateTime& time)
{
    return QStringLiteral("BICO_") + styleName + QLatin1Char('_') + deviceVersion +
           time.toString(QStringLiteral("_yyyyMMdd_HHmmss")) + QStringLiteral(".csv");
}

std::optional<QString> exportBicoCsv(const std::vector<pages::BicoConnection>& connections,
                                     const QString& defaultName, model::UserPrompt& prompt)
{
    model::FileDialogSpec spec;
    spec.title = QCoreApplication::translate("BicoCsvExport", "导出BICO连线");
    spec.fileName = defaultName;
    spec.filter = QStringLiteral("CSV File (*.csv)");
    spec.defaultSuffix = QStringLiteral("csv");
    const std::optional<QString> path = prompt.saveFile(spec);
    if (!path)
        return std::nullopt;
    if (!writeDnlFile(*path, bicoCsvBytes(connections)).ok) {
        prompt.show(model::MessageKind::Error, QCoreApplication::translate("BicoCsvExport", "错误"),
                    QCoreApplication::translate("BicoCsvExport", "导出失败，请您重新尝试！"));
        return std::nullopt;
    }
    prompt.show(model::MessageKind::Hint, QCoreApplication::translate("BicoCsvExport", "提示"),
                QCoreApplication::translate("BicoCsvExport", "文件导出成功！"));
    return path;
}

}  // namespace hesk::files
