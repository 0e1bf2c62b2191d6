#pragma once
// "文件比较": the base ("基准文件") and compare ("比对文件") sources, each chosen in a combo
// with " 打开dnl文件" and " 出厂值", the start button ("开始", "执行中..." while the passes
// run), the rows in a table with the filters "全部", "相同", "不同" ("不同" chosen first)
// and the export button ("导出"), which appear once rows are shown. The decisions are
// files::FileCompare's, the rows files::CompareRowModel's.
//
// Thread: UI thread only.

#include "files/CompareRowModel.h"
#include "files/FileCompare.h"

#include "model/OpenedProject.h"
#include "model/UserPrompt.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace hesk::app {

class FileCompareDialog final : public QDialog {
    Q_OBJECT
public:
    FileCompareDialog(const model::OpenedProject& project, model::UserPrompt& prompt, QWidget* parent = nullptr);

    void setApproximateComparison(bool on) { m_approximate = on; }

    // As the person would: choose a source in a side's combo, press a button, pick a filter.
    void chooseSource(files::CompareSide side, files::CompareSource source);
    void startCompare();
    void showFilter(files::CompareFilter filter);
    // The export dialog over this one.
    void exportRows();

    files::CompareRowModel& rows() { return m_model; }
    QTableView* table() const { return m_table; }
    QPushButton* startButton() const { return m_start; }
    QPushButton* exportButton() const { return m_export; }
    QRadioButton* filterButton(files::CompareFilter filter) const;
    QString statusText() const;

private:
    QComboBox* combo(files::CompareSide side) const;
    QLineEdit* pathEdit(files::CompareSide side) const;
    void setStatus(const QString& text);
    void fitColumns();

    const model::OpenedProject& m_project;
    model::UserPrompt& m_prompt;
    files::FileCompare m_compare;
    files::CompareRowModel m_model;
    bool m_approximate = false;

    QComboBox* m_combos[2] = {};
    QLineEdit* m_paths[2] = {};
    QPushButton* m_start = nullptr;
    QPushButton* m_export = nullptr;
    QRadioButton* m_filters[3] = {};
    QLabel* m_status = nullptr;
    QTableView* m_table = nullptr;
};

// "导出文件": which sets ("全部参数", "相同参数", "不同参数") into which folder ("文件保存路径").
class CompareExportDialog final : public QDialog {
    Q_OBJECT
public:
    CompareExportDialog(const std::vector<files::CompareRow>& rows, QString baseLabel, QString compareLabel,
                        model::UserPrompt& prompt, QWidget* parent = nullptr);

    void setSets(bool all, bool equal, bool different);
    void setFolder(const QString& folder);
    // OK: the export with its messages; the dialog closes when files were written.
    QStringList exportNow();

private:
    void chooseFolder();

    const std::vector<files::CompareRow>& m_rows;
    QString m_baseLabel, m_compareLabel;
    model::UserPrompt& m_prompt;
    QCheckBox* m_sets[3] = {};
    QLineEdit* m_folder = nullptr;
};

}  // namespace hesk::app
