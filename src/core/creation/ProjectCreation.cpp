#include "ProjectCreation.h"

#include "BaseValueWorkbook.h"
#include "FixedDefinitions.h"
#include "ProjectName.h"
#include "XlsxReader.h"

#include "model/ProjectFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <utility>

using namespace hesk::model;

namespace hesk::creation {

namespace {

StepResult stepFailure(UserMessage message, QString detail = {})
{
    return {std::move(message), std::move(detail)};
}

CreationResult creationFailure(UserMessage message, QString detail = {})
{
    CreationResult result;
    result.failure = std::move(message);
    result.detail = std::move(detail);
    return result;
}

UserMessage loadIntermediateFirst()
{
    return UserMessage::warning(QCoreApplication::translate("ProjectCreation", "请先加载中间文件！"));
}

QString missingColumnsDetail(const QString& path, const QString& sheet, const QStringList& missing)
{
    return QStringLiteral("%1: sheet \"%2\" has no column %3").arg(path, sheet, missing.join(QLatin1String(", ")));
}

}  // namespace

QStringList creationDeviceTypes()
{
    QStringList types;
    for (const QString& code : shortCodes()) {
        const QString type = deviceTypeForShortCode(code);
        if (requiredDeviceClass(type) != DeviceClass::None)
            types.append(type);
    }
    return types;
}

ProjectCreation::ProjectCreation(QString deviceType, QString deviceVersion)
    : deviceType_(std::move(deviceType)), deviceVersion_(std::move(deviceVersion))
{
}

std::optional<UserMessage> ProjectCreation::checkDeviceChoice(const QString& deviceType, const QString& deviceVersion)
{
    if (requiredDeviceClass(deviceType) == DeviceClass::None)
        return UserMessage::warning(QCoreApplication::translate("ProjectCreation", "未知的设备类型%1！").arg(deviceType));
    if (!firmwareVersions(deviceType).contains(deviceVersion))
        return UserMessage::warning(
            QCoreApplication::translate("ProjectCreation", "设备类型%1没有版本%2！").arg(deviceType, deviceVersion));
    return std::nullopt;
}

StepResult ProjectCreation::loadIntermediate(const QString& path)
{
    if (auto invalid = checkDeviceChoice(deviceType_, deviceVersion_))
        return stepFailure(std::move(*invalid));

    IntermediateLoad load = loadIntermediateFile(path);
    if (load.failure)
        return stepFailure(std::move(*load.failure), QStringLiteral("cannot load the intermediate file %1").arg(path));

    HeskProject project = projectFromIntermediate(*load.file);
    const DeviceClass deviceClass = resolveCpuType(project.header.cpuType).deviceClass;
    if (deviceClass == DeviceClass::None)
        return stepFailure(UserMessage::error(QCoreApplication::translate(
                               "ProjectCreation", "HESKMonitor软件暂时不支持此CPU类型，请联系开发人员！")),
                           QStringLiteral("CPU type \"%1\" belongs to no device class").arg(project.header.cpuType));
    if (deviceClass != requiredDeviceClass(deviceType_))
        return stepFailure(UserMessage::warning(QCoreApplication::translate(
                               "ProjectCreation", "此中间文件与您选择的设备类型不符，禁止加载！")),
                           QStringLiteral("CPU type \"%1\" is of device class %2, %3 needs class %4")
                               .arg(project.header.cpuType)
                               .arg(static_cast<int>(deviceClass))
                               .arg(deviceType_)
                               .arg(static_cast<int>(requiredDeviceClass(deviceType_))));

    counts_ = CreationCounts();
    counts_.intermediateDefinitions = static_cast<int>(project.elements.size());
    counts_.fixedDefinitions = addFixedDefinitions(project, deviceClass);
    project.sortElements();

    loaded_ = std::move(project);
    merged_ = loaded_.elements;
    deviceClass_ = deviceClass;
    intermediatePath_ = path;
    conversionPath_.clear();
    basePath_.clear();
    rows_.clear();
    baseRows_.clear();
    return {};
}

std::optional<UserMessage> ProjectCreation::checkIntermediateLoaded() const
{
    if (intermediatePath_.isEmpty())
        return loadIntermediateFirst();
    return std::nullopt;
}

StepResult ProjectCreation::readConversionWorkbook(const QString& path)
{
    if (auto missing = checkIntermediateLoaded())
        return stepFailure(std::move(*missing));
    if (!QFileInfo::exists(path))
        return stepFailure(UserMessage::error(
            QCoreApplication::translate("ProjectCreation", "缺少所需文件！")), QStringLiteral("%1 does not exist").arg(path));

    const UserMessage readFailure = UserMessage::error(QCoreApplication::translate("ProjectCreation", "读取转换文件失败！"));
    const XlsxReadResult read = readXlsxSheet(path, kConversionSheet);
    switch (read.status) {
    case XlsxStatus::Ok: break;
    case XlsxStatus::FileMissing:
        return stepFailure(UserMessage::error(QCoreApplication::translate("ProjectCreation", "缺少所需文件！")), read.detail);
    case XlsxStatus::UnsupportedFormat:
        return stepFailure(UserMessage::error(QCoreApplication::translate("ProjectCreation", "未发现Excel驱动，读取转换文件失败！")),
                           QStringLiteral("%1: %2").arg(path, read.detail));
    case XlsxStatus::FileUnreadable:
    case XlsxStatus::Damaged:
    case XlsxStatus::SheetMissing:
    case XlsxStatus::TooLarge:
        return stepFailure(readFailure, QStringLiteral("%1: %2").arg(path, read.detail));
    }

    QStringList missing;
    std::optional<ConversionRows> rows = conversionRowsFromTable(read.table, &missing);
    if (!rows)
        return stepFailure(readFailure, missingColumnsDetail(path, kConversionSheet, missing));

    std::vector<HeskParameterElement> merged = loaded_.elements;
    const int mergedCount = mergeRowsIntoDefinitions(merged, rows->rows);

    merged_ = std::move(merged);
    rows_ = std::move(rows->rows);
    counts_.workbookRows = static_cast<int>(rows_.size());
    counts_.skippedRows = rows->skippedRows;
    counts_.mergedDefinitions = mergedCount;
    conversionPath_ = path;
    return {};
}

StepResult ProjectCreation::readBaseWorkbook(const QString& path)
{
    if (auto missing = checkIntermediateLoaded())
        return stepFailure(std::move(*missing));
    const UserMessage openFailure = UserMessage::error(
        QCoreApplication::translate("ProjectCreation", "Ubase文件%1错误，打开失败！").arg(path));
    if (QFileInfo(path).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) != 0)
        return stepFailure(openFailure, QStringLiteral("%1 is not an .xlsx file").arg(path));
    if (!QFileInfo::exists(path))
        return stepFailure(openFailure, QStringLiteral("%1 does not exist").arg(path));

    const UserMessage readFailure = UserMessage::error(QCoreApplication::translate("ProjectCreation", "读取Ubase文件失败！"));
    const XlsxReadResult read = readXlsxSheet(path, kBaseValueSheet);
    if (!read.ok())
        return stepFailure(readFailure, QStringLiteral("%1: %2").arg(path, read.detail));
    QStringList missing;
    std::optional<std::vector<UbaseInfo>> rows = baseValueRowsFromTable(read.table, deviceClass_, &missing);
    if (!rows)
        return stepFailure(readFailure, missingColumnsDetail(path, kBaseValueSheet, missing));

    baseRows_ = std::move(*rows);
    counts_.baseValueRows = static_cast<int>(baseRows_.size());
    basePath_ = path;
    return {};
}

HeskProject ProjectCreation::buildProject() const
{
    HeskProject project = loaded_;
    project.elements = merged_;
    project.ubaseTable = baseRows_;
    project.header.deviceType = deviceType_;
    project.header.deviceVersion = deviceVersion_;
    project.header.creatorVersion = QString::fromUtf16(kCreatorVersion);
    return project;
}

CreationResult ProjectCreation::create(const QString& projectName, const QString& storageFolder,
                                       ExistingProject existing)
{
    if (projectName.isEmpty())
        return creationFailure(UserMessage::warning(QCoreApplication::translate("ProjectCreation", "项目名称不能为空！")));
    if (!isValidProjectName(projectName))
        return creationFailure(UserMessage::warning(QCoreApplication::translate(
                                   "ProjectCreation", "项目名称最长12位字符，仅允许字母/下划线/数字！")),
                               QStringLiteral("project name \"%1\" is not 1 to 12 letters, digits or \"_\"")
                                   .arg(projectName));
    if (intermediatePath_.isEmpty())
        return creationFailure(UserMessage::warning(QCoreApplication::translate("ProjectCreation", "请加载中间文件！")));
    if (conversionPath_.isEmpty())
        return creationFailure(UserMessage::warning(QCoreApplication::translate("ProjectCreation", "请加载转换文件！")));
    if (basePath_.isEmpty())
        return creationFailure(UserMessage::warning(QCoreApplication::translate("ProjectCreation", "请加载Ubase文件！")));
    if (storageFolder.trimmed().isEmpty())
        return creationFailure(UserMessage::warning(QCoreApplication::translate("ProjectCreation", "请选择项目存储路径！")));

    const QString folder = QDir(QDir(storageFolder).absolutePath()).filePath(projectName);
    const QString path = QDir(folder).filePath(projectName + QStringLiteral(".tmprj"));
    const QFileInfo target(path);
    const bool exists = target.exists() || target.isSymLink();
    if (exists && existing == ExistingProject::Refuse)
        return creationFailure(
            UserMessage::warning(
                QCoreApplication::translate("ProjectCreation", "项目文件%1已存在，请更换项目名称或存储路径！")
                    .arg(QDir::toNativeSeparators(path))),
            QStringLiteral("%1 exists and is not replaced").arg(path));

    const UserMessage saveFailure = UserMessage::error(QCoreApplication::translate("ProjectCreation", "文件保存失败！"));
    const bool folderExisted = QFileInfo(folder).isDir();
    if (!folderExisted && !QDir().mkpath(folder))
        return creationFailure(saveFailure, QStringLiteral("cannot create the folder %1").arg(folder));

    if (auto failure = saveProject(path, buildProject())) {
        if (!folderExisted)
            QDir().rmdir(folder);  // leave nothing behind; fails harmlessly if not empty
        return creationFailure(std::move(*failure), QStringLiteral("cannot write %1").arg(path));
    }
    CreationResult result;
    result.projectPath = path;
    result.replaced = exists;
    return result;
}

}  // namespace hesk::creation
