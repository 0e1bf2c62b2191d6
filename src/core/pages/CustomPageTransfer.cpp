#include "CustomPageTransfer.h"

#include "CustomPageFile.h"

#include "model/RegularFile.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <algorithm>

namespace hesk::pages {

namespace {

constexpr int kErrorLevel = 3;

QString askTitle()
{
    return QCoreApplication::translate("CustomPageTransfer", "询问");
}

QString hintTitle()
{
    return QCoreApplication::translate("CustomPageTransfer", "提示");
}

}  // namespace

CustomPageTransfer::CustomPageTransfer(model::UserPrompt& prompt, model::LogSink& log, Clock clock)
    : m_prompt(prompt), m_log(log), m_clock(std::move(clock))
{
}

QDateTime CustomPageTransfer::now() const
{
    return m_clock ? m_clock() : QDateTime::currentDateTime();
}

bool CustomPageTransfer::writeFile(const CustomPageList& list, const QString& path)
{
    const model::HeskProjectHeader& header = list.project().header;
    const QByteArray bytes =
        customPageFileBytes(now(), customPageStyleName(header.deviceType), header.deviceVersion, list.numbersToSave());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_prompt.show(model::MessageKind::Error, QCoreApplication::translate("CustomPageTransfer", "错误"),
                      QCoreApplication::translate("CustomPageTransfer", "建立输出文件失败，请您重新尝试！"));
        return false;
    }
    m_prompt.show(model::MessageKind::Information, QCoreApplication::translate("CustomPageTransfer", "信息"),
                  QCoreApplication::translate("CustomPageTransfer", "成功将参数导出至文件：%1").arg(path));
    return true;
}

bool CustomPageTransfer::saveTo(CustomPageList& list, const QString& path)
{
    if (!writeFile(list, path))
        return false;
    list.markSaved(path);
    return true;
}

bool CustomPageTransfer::saveAs(CustomPageList& list)
{
    model::FileDialogSpec spec;
    spec.fileName = defaultCustomPageFileName(now());
    spec.filter = QString::fromLatin1(kCustomPageFileFilter);
    spec.defaultSuffix = QString::fromLatin1(kCustomPageFileSuffix);
    const std::optional<QString> path = m_prompt.saveFile(spec);
    if (!path)
        return false;
    return saveTo(list, *path);
}

bool CustomPageTransfer::offerToKeepCurrentList(CustomPageList& list, bool& cancelled)
{
    cancelled = false;
    if (!list.hasRows())
        return true;
    const CustomPageState& state = list.state();
    if (!state.filePath.isEmpty()) {
        if (!state.changed)
            return true;
        const QString question =
            QCoreApplication::translate("CustomPageTransfer", "当前自定义参数是否更新至原文件？\n文件路径：%1")
                .arg(state.filePath);
        if (m_prompt.ask(hintTitle(), question, model::PromptButtons::YesNo) != model::PromptAnswer::Yes)
            return true;
        return saveTo(list, state.filePath);
    }
    if (m_prompt.ask(hintTitle(), QCoreApplication::translate("CustomPageTransfer", "当前自定义参数是否另存为文件？"),
                     model::PromptButtons::YesNo)
        != model::PromptAnswer::Yes)
        return true;
    // The person wanted the current list kept in a file first: a cancelled save dialog
    // stops the loading as a failed save does.
    if (saveAs(list))
        return true;
    cancelled = true;
    return false;
}

CustomPageTransfer::LoadResult CustomPageTransfer::load(CustomPageList& list)
{
    model::FileDialogSpec spec;
    spec.title = QCoreApplication::translate("CustomPageTransfer", "打开自定义参数文件");
    spec.fileName = QStringLiteral("*.fpm");
    spec.filter = QString::fromLatin1(kCustomPageFileFilter);
    const std::optional<QString> path = m_prompt.openFile(spec);
    if (!path)
        return LoadResult::Cancelled;

    // A regular file only (a pipe would block the window for ever), and a small one.
    const model::FileRead file = model::readRegularFile(*path, kMaxCustomPageFileBytes);
    if (file.status == model::FileReadStatus::TooLarge) {
        m_prompt.show(model::MessageKind::Error, QCoreApplication::translate("CustomPageTransfer", "错误"),
                      QCoreApplication::translate("CustomPageTransfer", "文件%1过大（超过%2 MB），不是自定义参数文件，打开失败！")
                          .arg(*path)
                          .arg(model::capInMegabytes(kMaxCustomPageFileBytes)));
        return LoadResult::Failed;
    }
    if (!file.ok()) {
        m_prompt.show(model::MessageKind::Error, QCoreApplication::translate("CustomPageTransfer", "错误"),
                      QCoreApplication::translate("CustomPageTransfer", "文件打开失败！"));
        return LoadResult::Failed;
    }
    const CustomPageFileContent content = parseCustomPageFile(file.bytes);

    const QString& deviceType = list.project().header.deviceType;
    if (!content.deviceStyle) {
        if (m_prompt.ask(askTitle(), QCoreApplication::translate("CustomPageTransfer", "文件中缺少有效的设备类型信息，是否继续加载？"),
                         model::PromptButtons::YesNo)
            != model::PromptAnswer::Yes)
            return LoadResult::Cancelled;
    } else if (!styleMatchesDeviceType(*content.deviceStyle, deviceType)) {
        const QString question =
            QCoreApplication::translate("CustomPageTransfer", "文件中的设备类型为：%1，与当前工程不一致，是否继续加载？")
                .arg(*content.deviceStyle);
        if (m_prompt.ask(askTitle(), question, model::PromptButtons::YesNo) != model::PromptAnswer::Yes)
            return LoadResult::Cancelled;
    }

    // Checked from the last line to the first, as the log shows them; kept in file order.
    std::vector<uint32_t> numbers(static_cast<std::size_t>(content.parameterLines.size()));
    std::vector<bool> valid(numbers.size(), false);
    for (qsizetype i = content.parameterLines.size() - 1; i >= 0; --i) {
        const QString& line = content.parameterLines[i];
        const std::optional<uint32_t> number = parameterLineNumber(line);
        if (!number) {
            m_log.log(QStringLiteral("导入自定义参数文件，参数格式不符：%1！").arg(line), kErrorLevel);
            continue;
        }
        if (!list.projectHasNumber(*number)) {
            m_log.log(QStringLiteral("导入自定义参数文件，主参为%1的参数不存在！").arg(line), kErrorLevel);
            continue;
        }
        numbers[static_cast<std::size_t>(i)] = *number;
        valid[static_cast<std::size_t>(i)] = true;
    }
    std::vector<uint32_t> loaded;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        if (valid[i])
            loaded.push_back(numbers[i]);
    if (loaded.empty()) {
        m_prompt.show(model::MessageKind::Information, hintTitle(),
                      QCoreApplication::translate("CustomPageTransfer", "文件中没有有效的参数信息！"));
        return LoadResult::Failed;
    }

    bool cancelled = false;
    if (!offerToKeepCurrentList(list, cancelled))
        return cancelled ? LoadResult::Cancelled : LoadResult::Failed;

    list.replace(std::move(loaded), *path);
    return LoadResult::Loaded;
}

}  // namespace hesk::pages
