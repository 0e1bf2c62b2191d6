#pragma once
// Project creation: the steps of the creation wizard without its window. The wizard
// (and heskmon create, and the tests) run the same object: choose device type and
// version, load the intermediate file, read the conversion workbook, read the base-value
// workbook, create. Each step either succeeds completely or changes nothing; a failed
// step returns the message the person sees (and an English detail for the log) and
// never shows anything itself.
//
// The project under construction lives in this object, never in the caller's open
// project: a failure at any step leaves whatever the caller has open untouched, and
// nothing is written to disk before create() has passed all its checks.
//
// Messages, by step (title "错误" unless marked 警告):
//  loadIntermediate   unknown device type "未知的设备类型<type>！" (警告), version not
//                     offered for it "设备类型<type>没有版本<version>！" (警告); then the
//                     file's messages (IntermediateFile.h); CPU type of class 0
//                     "HESKMonitor软件暂时不支持此CPU类型，请联系开发人员！"; a class other than
//                     the device type's "此中间文件与您选择的设备类型不符，禁止加载！" (警告).
//                     Success clears both workbook steps (they must be read again).
//  readConversionWorkbook  no intermediate file yet "请先加载中间文件！" (警告); no such
//                     file "缺少所需文件！"; a file the reader cannot handle at all (not a
//                     zip archive, no workbook inside) "未发现Excel驱动，读取转换文件失败！";
//                     any other read failure (damaged archive or XML, no sheet "PARAM", a
//                     missing column, over the reader's limits, unreadable file)
//                     "读取转换文件失败！". The workbook is known by its content, not its
//                     extension (no message is defined for a wrong one). Rows are
//                     merged into a fresh copy of the intermediate file's definitions,
//                     so reading another workbook replaces the previous merge instead
//                     of stacking on it.
//  readBaseWorkbook   no intermediate file yet "请先加载中间文件！" (警告); extension other
//                     than "xlsx" or no such file "Ubase文件<path>错误，打开失败！"; any read
//                     failure, the format included, "读取Ubase文件失败！". The rows replace
//                     the table (reading twice does not double it).
//  create             in this order (all 警告): "项目名称不能为空！", a name that breaks the
//                     name rule (ProjectName.h) "项目名称最长12位字符，仅允许字母/下划线/数字！",
//                     "请加载中间文件！", "请加载转换文件！", "请加载Ubase文件！",
//                     "请选择项目存储路径！"; then an existing <folder>/<name>/<name>.tmprj
//                     is refused with "项目文件<path>已存在，请更换项目名称或存储路径！"
//                     (警告) unless the caller asked to replace it; a folder that cannot be
//                     created or a failed write "文件保存失败！".
//
// After create() the caller opens the written file as any project is opened
// (OpenedProject::open builds the special-parameter table, base values and fault
// catalogue), which is what the wizard's finish does.
//
// Not thread-safe: one object per wizard, used on one thread.

#include "ConversionWorkbook.h"
#include "IntermediateFile.h"

#include "model/DeviceCatalogue.h"
#include "model/HeskProject.h"
#include "model/UserMessage.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace hesk::creation {

inline constexpr const char16_t* kCreatorVersion = u"V2.16.35";

struct StepResult {
    std::optional<model::UserMessage> failure;  // nothing on success
    QString detail;                             // English reason for the log; may be empty

    bool ok() const { return !failure; }
};

enum class ExistingProject {
    Refuse,   // an existing project file of that name is never overwritten
    Replace,  // replaced through a temporary file once the new one is complete
};

struct CreationCounts {
    int intermediateDefinitions = 0;  // fields 6 and 7 of the intermediate file
    int fixedDefinitions = 0;         // r0071..r0073 added for the device class
    int workbookRows = 0;             // conversion rows kept by the row rules
    int skippedRows = 0;              // conversion rows the rules skipped
    int mergedDefinitions = 0;        // definitions that took a workbook row
    int baseValueRows = 0;
};

struct CreationResult {
    std::optional<model::UserMessage> failure;
    QString detail;
    QString projectPath;  // <storage>/<name>/<name>.tmprj, absolute, on success
    bool replaced = false;  // an existing project file was replaced

    bool ok() const { return !failure; }
};

// The device types the first page offers, in catalogue order: "VRA1", "整流回馈电源",
// "有源整流电源", "基本型整流电源", "标准产品测试台". firmwareVersions() gives each one's
// versions.
QStringList creationDeviceTypes();

class ProjectCreation {
public:
    // The first page's choice. deviceType is the project's text ("VRA1", "整流回馈电源",
    // ...); the version must be one that firmwareVersions() offers for it.
    ProjectCreation(QString deviceType, QString deviceVersion);

    // The first page's check of a choice; nothing when it is valid.
    static std::optional<model::UserMessage> checkDeviceChoice(const QString& deviceType,
                                                               const QString& deviceVersion);

    // Before a workbook's file dialog opens: "请先加载中间文件！" (警告) while no
    // intermediate file is loaded, the refusal the workbook steps give themselves.
    std::optional<model::UserMessage> checkIntermediateLoaded() const;

    StepResult loadIntermediate(const QString& path);
    StepResult readConversionWorkbook(const QString& path);
    StepResult readBaseWorkbook(const QString& path);
    CreationResult create(const QString& projectName, const QString& storageFolder,
                          ExistingProject existing = ExistingProject::Refuse);

    const QString& deviceType() const { return deviceType_; }
    const QString& deviceVersion() const { return deviceVersion_; }
    // Paths of the steps that succeeded; empty for a step not (or no longer) done.
    const QString& intermediatePath() const { return intermediatePath_; }
    const QString& conversionPath() const { return conversionPath_; }
    const QString& basePath() const { return basePath_; }
    model::DeviceClass deviceClass() const { return deviceClass_; }
    const CreationCounts& counts() const { return counts_; }
    const std::vector<DnlRowItem>& conversionRows() const { return rows_; }

    // The project as create() would write it now: the intermediate file's content with
    // the fixed definitions, sorted, the workbook merged in, the base-value rows and
    // the header of the first page.
    model::HeskProject buildProject() const;

private:
    QString deviceType_;
    QString deviceVersion_;
    QString intermediatePath_;
    QString conversionPath_;
    QString basePath_;
    model::DeviceClass deviceClass_ = model::DeviceClass::None;
    model::HeskProject loaded_;  // after the intermediate step: sorted, fixed definitions added
    std::vector<model::HeskParameterElement> merged_;  // loaded_'s definitions with the rows merged
    std::vector<DnlRowItem> rows_;
    std::vector<model::UbaseInfo> baseRows_;
    CreationCounts counts_;
};

}  // namespace hesk::creation
