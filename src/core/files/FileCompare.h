#pragma once
// The compare dialog's decisions without widgets: the two sources (" 打开dnl文件" reads a
// file chosen in a dialog, " 出厂值" takes the project's factory values), the start with
// its refusals and the two passes, reported by status texts.
//
// Contract: UI thread (file dialogs and messages go through the prompt).

#include "DnlCompare.h"

#include "model/OpenedProject.h"
#include "model/UserPrompt.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace hesk::files {

enum class CompareSide { Base = 0, Compare = 1 };
enum class CompareSource { File = 0, Factory = 1 };

// " 打开dnl文件" and " 出厂值", in combo order.
QString compareSourceText(CompareSource source);
// "基准文件" and "比对文件".
QString compareSideLabel(CompareSide side);

class FileCompare {
public:
    // Fills a side from the source: a file is asked for (filter "dnl File (*.dnl)",
    // proposed name "Monitor.dnl"), its extension checked and read strictly; the factory
    // values need an open project. A failure shows its message and leaves the side empty.
    // True when the side holds rows afterwards.
    bool choose(CompareSide side, CompareSource source, const model::OpenedProject* project, model::UserPrompt& prompt);
    // A file given without a dialog (heskmon).
    bool loadFile(CompareSide side, const QString& path, model::UserPrompt& prompt);
    void loadFactory(CompareSide side, const model::OpenedProject& project);
    void clear(CompareSide side);

    bool empty(CompareSide side) const { return entries(side).empty(); }
    const std::vector<CompareEntry>& entries(CompareSide side) const { return m_entries[index(side)]; }
    // What the side holds: the file's path, or "出厂值"; empty when nothing. The export
    // writes it as its column header, untranslated.
    const QString& sourceName(CompareSide side) const { return m_names[index(side)]; }
    // sourceName() as the window shows it: the factory values' name translated.
    QString shownSourceName(CompareSide side) const;

    // "开始": "基准文件不能为空！" / "比对文件不能为空！" (warning) refuse; otherwise the two
    // passes run, each announced through status ("正在比较数据(1/2)", "正在比较数据(2/2)",
    // then "正在刷新列表"), and the rows come back.
    std::optional<std::vector<CompareRow>> start(const model::OpenedProject* project, bool approximateComparison,
                                                 model::UserPrompt& prompt,
                                                 const std::function<void(const QString&)>& status = {}) const;

private:
    static std::size_t index(CompareSide side) { return static_cast<std::size_t>(side); }
    std::array<std::vector<CompareEntry>, 2> m_entries;
    std::array<QString, 2> m_names;
    std::array<bool, 2> m_factory{};
};

}  // namespace hesk::files
