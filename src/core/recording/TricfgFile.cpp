#include "TricfgFile.h"

#include "files/DnlFileWrite.h"
#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace hesk::recording {

namespace {

// The smallest channel in the file: two ints, a 16-bit slot and two empty texts of
// 4 bytes each, and two ints.
constexpr qsizetype kMinChannelBytes = 4 + 4 + 2 + 4 + 4 + 4;
constexpr qint64 kLargestRecord = 1 << 20;  // a record is a few hundred bytes

void writeChannel(model::ArchiveWriter& w, const TRSETCHANEL& c)
{
    w.writeInt32(c.address);
    w.writeText(c.name);
    w.writeUInt16(c.slot);
    w.writeText(c.text);
    w.writeInt32(c.value1);
    w.writeInt32(c.value2);
}

void readChannel(model::ArchiveReader& r, TRSETCHANEL& c)
{
    c.address = r.readInt32();
    c.name = r.readText();
    c.slot = r.readUInt16();
    c.text = r.readText();
    c.value1 = r.readInt32();
    c.value2 = r.readInt32();
}

bool folderWritable(const QString& folder)
{
    const QFileInfo info(folder);
    return !folder.isEmpty() && info.isDir() && info.isWritable();
}

}  // namespace

QByteArray encodeTricfg(const TriggerSettings& s)
{
    model::ArchiveWriter w;
    w.writeText(s.headText);
    w.writeArray(s.channels, writeChannel);
    w.writeInt32(s.samplingPeriod);
    w.writeInt32(s.preTrigger);
    w.writeInt32(s.condition1On);
    w.writeText(s.condition1Parameter);
    w.writeUInt16(s.condition1Address);
    w.writeInt32(s.bitMode);
    w.writeInt32(s.bitNumber);
    w.writeInt32(s.conditionOperator);
    w.writeText(s.value);
    w.writeInt32(s.condition2On);
    w.writeText(s.condition2Parameter);
    w.writeUInt16(s.condition2Address);
    w.writeInt32(s.condition2Value);
    w.writeText(s.condition2ValueText);
    w.writeInt32(s.faultTriggerOn);
    w.writeText(s.startMode);
    w.writeInt32(s.deviceCode);
    w.writeText(s.savePath);
    w.writeText(s.lastText);
    return w.takeData();
}

std::optional<TriggerSettings> decodeTricfg(QByteArrayView bytes)
{
    model::ArchiveReader r(bytes);
    TriggerSettings s;
    s.headText = r.readText();
    r.readArray(s.channels, kMinChannelBytes, readChannel);
    if (s.channels.size() != static_cast<size_t>(kRecorderChannels))
        return std::nullopt;
    s.samplingPeriod = r.readInt32();
    s.preTrigger = r.readInt32();
    s.condition1On = r.readInt32();
    s.condition1Parameter = r.readText();
    s.condition1Address = r.readUInt16();
    s.bitMode = r.readInt32();
    s.bitNumber = r.readInt32();
    s.conditionOperator = r.readInt32();
    s.value = r.readText();
    s.condition2On = r.readInt32();
    s.condition2Parameter = r.readText();
    s.condition2Address = r.readUInt16();
    s.condition2Value = r.readInt32();
    s.condition2ValueText = r.readText();
    s.faultTriggerOn = r.readInt32();
    s.startMode = r.readText();
    s.deviceCode = r.readInt32();
    s.savePath = r.readText();
    s.lastText = r.readText();
    if (r.failed() || !r.atEnd())
        return std::nullopt;
    return s;
}

QString automaticTricfgName(int32_t deviceCode)
{
    const QString code = deviceCodeName(deviceCode);
    return code.isEmpty() ? QString() : QStringLiteral("Trsys_%1.tricfg").arg(code);
}

QString automaticTricfgPath(int32_t deviceCode, const QString& programFolder, const QString& configFolder)
{
    const QString name = automaticTricfgName(deviceCode);
    if (name.isEmpty())
        return {};
    const QString beside = QDir(programFolder).filePath(name);
    if (folderWritable(programFolder) || (QFileInfo::exists(beside) && QFileInfo(beside).isWritable()))
        return beside;
    return QDir(configFolder).filePath(name);
}

QString automaticTricfgPath(int32_t deviceCode)
{
    const QString config = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                               .filePath(QStringLiteral("HESKMonitor"));
    return automaticTricfgPath(deviceCode, QCoreApplication::applicationDirPath(), config);
}

TricfgWrite writeTricfg(const QString& path, const TriggerSettings& settings)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return {false, QStringLiteral("cannot create %1").arg(info.absolutePath())};
    const files::DnlFileWrite written = files::writeDnlFile(path, encodeTricfg(settings));
    return {written.ok, written.error};
}

std::variant<TriggerSettings, model::UserMessage> loadTricfg(const QString& path, int32_t projectDeviceCode)
{
    const model::UserMessage unreadable = model::UserMessage::error(
        QCoreApplication::translate(
            "TricfgFile", "读取配置文件%1发生错误，加载失败！\n由于软件更新，旧版本保存的配置文件将无法加载！")
            .arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestRecord)
        return unreadable;
    const QByteArray bytes = file.readAll();
    std::optional<TriggerSettings> settings = decodeTricfg(bytes);
    if (!settings)
        return unreadable;
    if (settings->deviceCode != projectDeviceCode)
        return model::UserMessage::error(
            QCoreApplication::translate("TricfgFile", "配置文件所属的设备类型与当前工程不符，加载失败！"));
    return *settings;
}

TriggerSettings loadAutomaticTricfg(const QString& path, const TriggerSettings& defaults)
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return defaults;
    auto loaded = loadTricfg(path, defaults.deviceCode);
    if (auto* settings = std::get_if<TriggerSettings>(&loaded))
        return *settings;
    return defaults;
}

model::UserMessage tricfgSavedMessage(const QString& path)
{
    return model::UserMessage::hint(QCoreApplication::translate("TricfgFile", "配置文件保存成功，文件路径：\n") + path);
}

model::UserMessage tricfgSaveFailedMessage()
{
    return model::UserMessage::error(QCoreApplication::translate("TricfgFile", "配置文件保存失败！"));
}

model::UserMessage tricfgNoPathMessage()
{
    return model::UserMessage::error(
        QCoreApplication::translate("TricfgFile", "请选择配置文件路径，保存配置文件失败！"));
}

model::UserMessage automaticTricfgSaveFailedMessage()
{
    return model::UserMessage::error(QCoreApplication::translate("TricfgFile", "文件保存失败！"));
}

QString proposedTricfgName(const QDateTime& now)
{
    return now.toString(QStringLiteral("_yyyyMMdd_HHmmss")) + QStringLiteral(".tricfg");
}

}  // namespace hesk::recording
