#include "ChangeJournal.h"

#include "files/CsvText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QDir>

namespace hesk::shell {

namespace {

const QString kFormat = QStringLiteral("HESKMonitor change journal");
constexpr int kFormatVersion = 1;
const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString outcomeKey(JournalEntry::Outcome outcome)
{
    switch (outcome) {
    case JournalEntry::Outcome::Confirmed: return QStringLiteral("confirmed");
    case JournalEntry::Outcome::Failed: return QStringLiteral("failed");
    case JournalEntry::Outcome::Stored: return QStringLiteral("stored");
    }
    return {};
}

std::optional<JournalEntry::Outcome> outcomeOf(const QString& key)
{
    for (const auto outcome : {JournalEntry::Outcome::Confirmed, JournalEntry::Outcome::Failed, JournalEntry::Outcome::Stored})
        if (outcomeKey(outcome) == key)
            return outcome;
    return std::nullopt;
}

QJsonObject ownerJson(const JournalOwner& owner)
{
    return {{QStringLiteral("deviceType"), owner.deviceType},
            {QStringLiteral("version"), owner.version},
            {QStringLiteral("project"), owner.projectName}};
}

QJsonObject entryJson(const JournalEntry& entry)
{
    return {{QStringLiteral("time"), entry.time.toString(Qt::ISODateWithMs)},
            {QStringLiteral("key"), entry.key},
            {QStringLiteral("number"), entry.number},
            {QStringLiteral("name"), entry.name},
            {QStringLiteral("old"), entry.oldText},
            {QStringLiteral("new"), entry.newText},
            {QStringLiteral("online"), entry.online},
            {QStringLiteral("outcome"), outcomeKey(entry.outcome)}};
}

std::optional<JournalEntry> entryOf(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject o = value.toObject();
    const auto text = [&](const char* name) { return o.value(QLatin1String(name)); };
    for (const char* name : {"time", "key", "number", "name", "old", "new", "outcome"})
        if (!text(name).isString())
            return std::nullopt;
    if (!text("online").isBool())
        return std::nullopt;
    JournalEntry entry;
    entry.time = QDateTime::fromString(text("time").toString(), Qt::ISODateWithMs);
    const std::optional<JournalEntry::Outcome> outcome = outcomeOf(text("outcome").toString());
    if (!entry.time.isValid() || !outcome || text("key").toString().isEmpty())
        return std::nullopt;
    entry.key = text("key").toString();
    entry.number = text("number").toString();
    entry.name = text("name").toString();
    entry.oldText = text("old").toString();
    entry.newText = text("new").toString();
    entry.online = text("online").toBool();
    entry.outcome = *outcome;
    return entry;
}

model::UserMessage unreadable(const QString& path, const QString& why)
{
    return model::UserMessage::error(
        QCoreApplication::translate("ChangeJournal", "修改记录文件%1无法读取（%2）。").arg(QDir::toNativeSeparators(path), why));
}

}  // namespace

JournalOwner journalOwnerOf(const model::OpenedProject& project)
{
    return {project.project().header.deviceType, project.project().header.deviceVersion, project.name()};
}

QString journalPath(const QString& logFolder)
{
    return QDir(logFolder).filePath(QString::fromLatin1(ChangeJournal::kFileName));
}

namespace {

const char* outcomeSource(JournalEntry::Outcome outcome)
{
    switch (outcome) {
    case JournalEntry::Outcome::Confirmed: return QT_TRANSLATE_NOOP("ChangeJournal", "已确认");
    case JournalEntry::Outcome::Failed: return QT_TRANSLATE_NOOP("ChangeJournal", "失败");
    case JournalEntry::Outcome::Stored: return QT_TRANSLATE_NOOP("ChangeJournal", "离线修改");
    }
    return "";
}

}  // namespace

QString outcomeText(JournalEntry::Outcome outcome)
{
    return QString::fromUtf8(outcomeSource(outcome));
}

QString outcomeCaption(JournalEntry::Outcome outcome)
{
    return QCoreApplication::translate("ChangeJournal", outcomeSource(outcome));
}

std::optional<model::UserMessage> ChangeJournal::readFile(const QString& path, const std::optional<JournalOwner>& owner,
                                                          std::vector<JournalEntry>& entries)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return unreadable(path, file.errorString());
    // A journal is small; anything far beyond what a person can type in years is no journal.
    constexpr qint64 kLargestJournal = 64LL * 1024 * 1024;
    if (file.size() > kLargestJournal)
        return unreadable(path, QCoreApplication::translate("ChangeJournal", "文件过大"));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return unreadable(path, QCoreApplication::translate("ChangeJournal", "文件已损坏"));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat
        || root.value(QStringLiteral("version")).toInt() != kFormatVersion || !root.value(QStringLiteral("entries")).isArray())
        return unreadable(path, QCoreApplication::translate("ChangeJournal", "不是修改记录文件"));
    if (owner && root.value(QStringLiteral("owner")).toObject() != ownerJson(*owner))
        return model::UserMessage::error(
            QCoreApplication::translate("ChangeJournal", "修改记录文件%1属于其他工程，不能加载。").arg(QDir::toNativeSeparators(path)));
    std::vector<JournalEntry> read;
    for (const QJsonValue& value : root.value(QStringLiteral("entries")).toArray()) {
        std::optional<JournalEntry> entry = entryOf(value);
        if (!entry)
            return unreadable(path, QCoreApplication::translate("ChangeJournal", "第%1条记录已损坏").arg(read.size() + 1));
        read.push_back(std::move(*entry));
    }
    entries = std::move(read);
    return std::nullopt;
}

std::optional<model::UserMessage> ChangeJournal::open(const QString& path, const JournalOwner& owner)
{
    m_path = path;
    m_owner = owner;
    if (!QFileInfo::exists(path))
        return std::nullopt;
    std::vector<JournalEntry> read;
    std::optional<model::UserMessage> problem = readFile(path, owner, read);
    if (!problem) {
        // Entries recorded before the file was bound (none in practice) come after it.
        read.insert(read.end(), m_entries.begin(), m_entries.end());
        m_entries = std::move(read);
        return std::nullopt;
    }
    // Never overwrite what could not be read: it is kept aside under a new name.
    const QString aside = path + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    if (QFile::rename(path, aside)) {
        problem->text += QCoreApplication::translate("ChangeJournal", "\n原文件已改名保存为%1，新的修改记录将写入%2。")
                             .arg(QDir::toNativeSeparators(aside), QDir::toNativeSeparators(path));
    } else {
        problem->text += QCoreApplication::translate("ChangeJournal", "\n原文件无法改名，本次的修改记录不写入文件。");
        m_path.clear();
    }
    return problem;
}

void ChangeJournal::close()
{
    m_path.clear();
    m_owner = {};
    m_entries.clear();
}

std::optional<model::UserMessage> ChangeJournal::record(JournalEntry entry)
{
    m_entries.push_back(std::move(entry));
    return write();
}

std::optional<model::UserMessage> ChangeJournal::write()
{
    m_lastWriteFailure.clear();
    if (m_path.isEmpty())
        return std::nullopt;
    QJsonArray entries;
    for (const JournalEntry& entry : m_entries)
        entries.append(entryJson(entry));
    const QJsonObject root{{QStringLiteral("format"), kFormat},
                           {QStringLiteral("version"), kFormatVersion},
                           {QStringLiteral("owner"), ownerJson(m_owner)},
                           {QStringLiteral("entries"), entries}};
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(root).toJson()) < 0 || !file.commit()) {
        // Shown translated, logged as it is.
        static const char kSaveFailed[] = QT_TRANSLATE_NOOP("ChangeJournal", "修改记录文件%1保存失败（%2）！");
        const QString path = QDir::toNativeSeparators(m_path);
        m_lastWriteFailure = QString::fromUtf8(kSaveFailed).arg(path, file.errorString());
        return model::UserMessage::error(
            QCoreApplication::translate("ChangeJournal", kSaveFailed).arg(path, file.errorString()));
    }
    return std::nullopt;
}

QByteArray ChangeJournal::csvBytes() const
{
    QString text = files::csvLine({QStringLiteral("时间"), QStringLiteral("参数"), QStringLiteral("名称"),
                                   QStringLiteral("原值"), QStringLiteral("新值"), QStringLiteral("方式"),
                                   QStringLiteral("结果")});
    for (const JournalEntry& e : m_entries)
        text += files::csvLine({e.time.toString(kTimeFormat), e.number, e.name, e.oldText, e.newText,
                                e.online ? QStringLiteral("在线") : QStringLiteral("离线"), outcomeText(e.outcome)});
    return files::gbCodePageBytes(text);
}

std::optional<model::UserMessage> ChangeJournal::exportCsv(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csvBytes()) < 0 || !file.commit())
        return model::UserMessage::error(
            QCoreApplication::translate("ChangeJournal", "修改记录导出失败（%1）！").arg(file.errorString()));
    return std::nullopt;
}

}  // namespace hesk::shell
