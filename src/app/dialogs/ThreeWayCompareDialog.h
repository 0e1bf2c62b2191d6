#pragma once
// "三方比较（设备/文件/出厂值）": the drive's values, uploaded now, beside a parameter file
// and the project's factory values, with the filters 全部 / 相同 / 不同 across all three
// and the side that stands apart named in the last column. The upload runs through the
// window's upload command (its progress dialog); the comparison is files::compareThreeWays.
//
// Thread: UI thread only.

#include "files/ThreeWayCompare.h"
#include "model/OpenedProject.h"
#include "model/UserPrompt.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTemporaryDir;

namespace hesk::app {

class ThreeWayCompareDialog final : public QDialog {
    Q_OBJECT
public:
    // Uploads the drive's values into `path` and calls back with the file written (empty
    // when the upload failed); false when it did not start.
    using Upload = std::function<bool(const QString& path, std::function<void(const QString& written)> done)>;

    ThreeWayCompareDialog(model::OpenedProject& project, model::UserPrompt& prompt, Upload upload,
                          bool approximateComparison, QWidget* parent = nullptr);
    ~ThreeWayCompareDialog() override;

    // Reads the file (the strict compare reader); its message on failure. True when read.
    bool setFile(const QString& path);
    // "开始比较": refused without a file; otherwise the upload, then the rows.
    void start();
    void showFilter(files::CompareFilter filter);
    const std::vector<files::ThreeWayRow>& rows() const { return m_rows; }
    QTableWidget* table() const { return m_table; }
    QString statusText() const;

private:
    void chooseFile();
    void uploaded(const QString& written);
    void fillTable();

    model::OpenedProject& m_project;
    model::UserPrompt& m_prompt;
    Upload m_upload;
    bool m_approximate;
    std::vector<files::CompareEntry> m_file;
    std::vector<files::ThreeWayRow> m_rows;
    files::CompareFilter m_filter = files::CompareFilter::Different;
    std::unique_ptr<QTemporaryDir> m_scratch;
    QLineEdit* m_path = nullptr;
    QPushButton* m_start = nullptr;
    QRadioButton* m_all = nullptr;
    QRadioButton* m_equal = nullptr;
    QRadioButton* m_different = nullptr;
    QLabel* m_status = nullptr;
    QTableWidget* m_table = nullptr;
};

}  // namespace hesk::app
