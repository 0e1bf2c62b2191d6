#include "FaultFileOpen.h"

#include <QCoreApplication>

namespace hesk::recording {

namespace {

// The project the drive-board upload opens by itself, and so the one its files go with.
const char* const kDriveBoardCode = "VRA1";
const char* const kDriveBoardVersion = "V1.14.17";

}  // namespace

FaultFileOpenPlan planFaultFileOpen(const QString& path, const QString& openStyle, const QString& openVersion,
                                    const model::ProjectLocator& installed)
{
    FaultFileOpenPlan plan;
    FaultFileRead read = readFaultDataFile(path);
    if (!read.contents) {
        plan.message = model::UserMessage::error(read.message);
        return plan;
    }
    const FaultFileHeader& header = read.contents->header;
    const bool driveBoard = read.contents->record.driveBoard;
    const QString code = driveBoard ? QString::fromLatin1(kDriveBoardCode) : header.deviceStyle;
    const QString version = driveBoard ? QString::fromLatin1(kDriveBoardVersion) : header.deviceVersion;
    const bool openFits = !openStyle.isEmpty() && openStyle == code && (driveBoard || openVersion == version);
    if (!openFits) {
        const model::ProjectLocateResult located = installed.locate(code, version);
        // Only the project of exactly that version shows the file's fault words as they
        // were meant; a drive-board file takes the inverter's fallback too.
        const bool usable = located.status == model::ProjectLocateStatus::Found
                            || (driveBoard && located.found());
        if (!usable) {
            plan.message = model::UserMessage::error(
                QCoreApplication::translate("FaultFileOpen", "根据文件中的设备类型和版本打开对应工程失败！"));
            return plan;
        }
        plan.projectToOpen = located.path;
    }
    plan.contents = std::move(read.contents);
    return plan;
}

std::optional<model::UserMessage> checkFaultFileWords(const FaultRecord& record, const model::FaultCatalogue& catalogue)
{
    if (const std::optional<QString> mismatch = faultWordMismatch(record, catalogue))
        return model::UserMessage::error(*mismatch);
    return std::nullopt;
}

}  // namespace hesk::recording
