#pragma once
// The fixed texts of the creation wizard's dialogs, for the window that will show them:
// file-dialog filters (in the "description|pattern||" form of the system; a Qt dialog
// takes the part before the first "|") with their default file names, the title of the
// storage-folder dialog and the hint beside the project name. What the person reads goes
// through the translator (context "WizardTexts"); the constants keep the source texts.

#include "model/UserMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QString>

namespace hesk::creation::wizard {

inline constexpr const char16_t* kIntermediateFilter = u"项目文件(*.monitorary)|*.monitorary||";
inline constexpr const char16_t* kIntermediateDefaultName = u"Monitor.monitorary";
inline constexpr const char16_t* kConversionFilter = u"转换文件(*.xlsx)|*.xlsx||";
inline constexpr const char16_t* kConversionDefaultName = u"Monitor.xlsx";
inline constexpr const char16_t* kBaseValueFilter = u"Ubase文件(*.xlsx)|*.xlsx||";
inline constexpr const char16_t* kStorageFolderTitle = u"选取工程存放的目录";
inline constexpr const char16_t* kProjectNameHint = u"(最长12位字符，仅允许字母/下划线/数字)";

// What the inputs page says it will create, so that a version left at its default is
// never taken unseen.
inline QString deviceChoiceText(const QString& type, const QString& version)
{
    return QCoreApplication::translate("WizardTexts", "将创建的工程：设备类型 %1，设备版本 %2").arg(type, version);
}

// Said once the project file is written, before the window closes and opens it.
inline model::UserMessage creationSucceededMessage(const QString& projectPath)
{
    return model::UserMessage::information(
        QCoreApplication::translate("WizardTexts", "工程创建成功：\n%1").arg(QDir::toNativeSeparators(projectPath)));
}

// The title of the storage-folder dialog and the hint beside the project name, as shown.
inline QString storageFolderTitle()
{
    return QCoreApplication::translate("WizardTexts", "选取工程存放的目录");
}

inline QString projectNameHint()
{
    return QCoreApplication::translate("WizardTexts", "(最长12位字符，仅允许字母/下划线/数字)");
}

// A filter of the "description|pattern||" form as a Qt file dialog takes it: the part
// before the first "|" ("项目文件(*.monitorary)"), translated when the translation knows it;
// a text without "|" stays whole.
inline QString fileDialogFilter(const char16_t* systemFilter)
{
    // The filters above, for the translation tools.
    [[maybe_unused]] static constexpr const char* kShownFilters[] = {
        QT_TRANSLATE_NOOP("WizardTexts", "项目文件(*.monitorary)"),
        QT_TRANSLATE_NOOP("WizardTexts", "转换文件(*.xlsx)"),
        QT_TRANSLATE_NOOP("WizardTexts", "Ubase文件(*.xlsx)"),
    };
    const QString filter = QString::fromUtf16(systemFilter);
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    const QString shown = bar < 0 ? filter : filter.left(bar);
    return QCoreApplication::translate("WizardTexts", shown.toUtf8().constData());
}

}  // namespace hesk::creation::wizard
