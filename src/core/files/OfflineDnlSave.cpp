#include "OfflineDnlSave.h"

#include "DnlFileWrite.h"
#include "DnlFormat.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace hesk::files {

namespace {

constexpr int kErrorLevel = 3;
constexpr int kInfoLevel = 2;

}  // namespace

QByteArray offlineDnlBytes(const model::OpenedProject& project, const pages::OfflineValueSet& values,
                           const QDateTime& time)
{
    const model::HeskProject& p = project.project();
    QByteArray bytes = dnlHeaderBytes(time, dnlStyleName(p.header.deviceType), p.header.deviceVersion);
    bytes.reserve(bytes.size() + static_cast<qsizetype>(values.size()) * 30);
    for (const model::HeskParameterElement& element : p.elements) {
        const std::optional<QString> value = values.value(project.deviceClass(), element);
        if (!value)
            continue;
        bytes += dnlRowBytes(element.referenceKey, dnlFileValue(element, *value));
    }
    return bytes;
}

bool writeOfflineValues(const model::OpenedProject& project, pages::OfflineValueSet& values, const QString& path,
                        const QDateTime& time, QString* error)
{
    const DnlFileWrite written = writeDnlFile(path, offlineDnlBytes(project, values, time));
    if (!written.ok) {
        if (error)
            *error = written.error;
        return false;
    }
    values.clearModifications();
    values.setFileName(QFileInfo(path).fileName());
    return true;
}

bool saveOfflineValuesAsDnl(const model::OpenedProject& project, pages::OfflineValueSet& values,
                            model::UserPrompt& prompt, model::LogSink& log, const QDateTime& now)
{
    const QString title = QCoreApplication::translate("OfflineDnlSave", "错误");
    if (!project.isOpen()) {
        log.log(QStringLiteral("<错误>没有打开的工程，离线信息无法保存到dnl文件"), kErrorLevel);
        prompt.show(model::MessageKind::Error, title,
                    QCoreApplication::translate("OfflineDnlSave", "建立输出文件失败，请您重新尝试！"));
        return false;
    }
    const model::HeskProjectHeader& header = project.project().header;
    model::FileDialogSpec spec;
    spec.fileName = defaultDnlFileName(dnlStyleName(header.deviceType), header.deviceVersion, now);
    spec.filter = QString::fromLatin1(kDnlFileFilter);
    spec.defaultSuffix = QString::fromLatin1(kDnlSuffix);
    const std::optional<QString> path = prompt.saveFile(spec);
    if (!path || path->isEmpty()) {
        prompt.show(model::MessageKind::Error, title,
                    QCoreApplication::translate("OfflineDnlSave", "请选择导出dnl文件路径！"));
        return false;
    }
    QString error;
    if (!writeOfflineValues(project, values, *path, now, &error)) {
        log.log(QStringLiteral("<错误>离线参数保存到dnl文件%1失败：%2").arg(*path, error), kErrorLevel);
        prompt.show(model::MessageKind::Error, title,
                    QCoreApplication::translate("OfflineDnlSave", "建立输出文件失败，请您重新尝试！"));
        return false;
    }
    log.log(QStringLiteral("离线参数已保存到dnl文件%1").arg(*path), kInfoLevel);
    prompt.show(model::MessageKind::Information, QCoreApplication::translate("OfflineDnlSave", "提示"),
                QCoreApplication::translate("OfflineDnlSave", "导出dnl文件成功，文件路径：\n") + *path);
    return true;
}

}  // namespace hesk::files
