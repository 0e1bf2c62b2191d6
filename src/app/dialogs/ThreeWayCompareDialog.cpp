#include "ThreeWayCompareDialog.h"

#include "files/DnlFormat.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <algorithm>

namespace hesk::app {

ThreeWayCompareDialog::ThreeWayCompareDialog(model::OpenedProject& project, model::UserPrompt& prompt, Upload upload,
                                             bool approximateComparison, QWidget* parent)
    : QDialog(parent), m_project(project), m_prompt(prompt), m_upload(std::move(upload)),
      m_approximate(approximateComparison)
{
    setWindowTitle(tr("三方比较（设备/文件/出厂值）"));
    m_path = new QLineEdit(this);
    m_path->setReadOnly(true);
    m_path->setPlaceholderText(tr("请选择要与设备比较的dnl文件"));
    auto* browse = new QPushButton(tr("浏览..."), this);
    m_start = new QPushButton(tr("开始比较"), this);
    m_all = new QRadioButton(tr("全部"), this);
    m_equal = new QRadioButton(tr("相同"), this);
    m_different = new QRadioButton(tr("不同"), this);
    m_different->setChecked(true);
    m_status = new QLabel(this);
    m_table = new QTableWidget(0, 7, this);
    m_table->setHorizontalHeaderLabels({tr("主参"), tr("辅参"), tr("参数名称"),
                                        files::threeWaySourceText(files::ThreeWaySource::Drive),
                                        files::threeWaySourceText(files::ThreeWaySource::File),
                                        files::threeWaySourceText(files::ThreeWaySource::Factory),
                                        tr("不同的一方")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(tr("文件："), this));
    fileRow->addWidget(m_path, 1);
    fileRow->addWidget(browse);
    fileRow->addWidget(m_start);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(m_all);
    filterRow->addWidget(m_equal);
    filterRow->addWidget(m_different);
    filterRow->addSpacing(20);
    filterRow->addWidget(m_status, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addLayout(filterRow);
    layout->addWidget(m_table, 1);
    resize(900, 560);

    connect(browse, &QPushButton::clicked, this, &ThreeWayCompareDialog::chooseFile);
    connect(m_start, &QPushButton::clicked, this, &ThreeWayCompareDialog::start);
    connect(m_all, &QRadioButton::toggled, this, [this](bool on) { if (on) showFilter(files::CompareFilter::All); });
    connect(m_equal, &QRadioButton::toggled, this, [this](bool on) { if (on) showFilter(files::CompareFilter::Equal); });
    connect(m_different, &QRadioButton::toggled, this,
            [this](bool on) { if (on) showFilter(files::CompareFilter::Different); });
}

ThreeWayCompareDialog::~ThreeWayCompareDialog() = default;

void ThreeWayCompareDialog::chooseFile()
{
    model::FileDialogSpec spec;
    spec.title = tr("打开DNL文件");
    spec.filter = QString::fromLatin1(files::kDnlFileFilter);
    if (const std::optional<QString> path = m_prompt.openFile(spec))
        setFile(*path);
}

bool ThreeWayCompareDialog::setFile(const QString& path)
{
    const files::CompareRead read = files::readCompareFile(path);
    if (const std::optional<model::UserMessage> problem = files::compareReadMessage(read, path)) {
        m_prompt.showMessage(*problem);
        return false;
    }
    m_file = read.entries;
    m_path->setText(path);
    m_rows.clear();
    fillTable();
    return true;
}

void ThreeWayCompareDialog::start()
{
    if (m_file.empty()) {
        m_prompt.showMessage(model::UserMessage::warning(tr("请先选择要与设备比较的dnl文件！")));
        return;
    }
    m_scratch = std::make_unique<QTemporaryDir>();
    if (!m_scratch->isValid()) {
        m_prompt.showMessage(model::UserMessage::error(tr("无法建立临时文件夹，不能上传设备的参数！")));
        return;
    }
    m_status->setText(tr("正在上传设备的参数..."));
    m_start->setEnabled(false);
    const QPointer<ThreeWayCompareDialog> self(this);
    const bool started = m_upload(m_scratch->filePath(QStringLiteral("drive.dnl")), [self](const QString& written) {
        if (self)
            self->uploaded(written);
    });
    if (!started) {
        m_start->setEnabled(true);
        m_status->setText(tr("参数上传没有开始"));
    }
}

void ThreeWayCompareDialog::uploaded(const QString& written)
{
    m_start->setEnabled(true);
    if (written.isEmpty()) {
        m_status->setText(tr("参数上传失败，没有比较"));
        return;
    }
    const files::CompareRead drive = files::readCompareFile(written);
    if (const std::optional<model::UserMessage> problem = files::compareReadMessage(drive, written)) {
        m_prompt.showMessage(*problem);
        m_status->setText(tr("设备的参数无法读取，没有比较"));
        return;
    }
    m_rows = files::compareThreeWays(drive.entries, m_file, files::factoryCompareEntries(m_project), &m_project,
                                     m_approximate);
    fillTable();
}

void ThreeWayCompareDialog::showFilter(files::CompareFilter filter)
{
    m_filter = filter;
    m_all->setChecked(filter == files::CompareFilter::All);
    m_equal->setChecked(filter == files::CompareFilter::Equal);
    m_different->setChecked(filter == files::CompareFilter::Different);
    fillTable();
}

QString ThreeWayCompareDialog::statusText() const
{
    return m_status->text();
}

void ThreeWayCompareDialog::fillTable()
{
    m_table->setRowCount(0);
    int shown = 0;
    for (const files::ThreeWayRow& row : m_rows) {
        if (!files::passesFilter(row, m_filter))
            continue;
        m_table->insertRow(shown);
        const QStringList cells{row.main,      row.aux,       row.name, row.values[0],
                                row.values[1], row.values[2], row.odd ? files::threeWaySourceText(*row.odd) : QString()};
        for (int column = 0; column < cells.size(); ++column)
            m_table->setItem(shown, column, new QTableWidgetItem(cells[column]));
        ++shown;
    }
    m_table->resizeColumnsToContents();
    if (m_rows.empty())
        return;
    const auto equal = std::count_if(m_rows.begin(), m_rows.end(), [](const files::ThreeWayRow& r) { return r.equal; });
    m_status->setText(tr("共%1行：相同%2行，不同%3行；显示%4行")
                          .arg(m_rows.size())
                          .arg(equal)
                          .arg(static_cast<qsizetype>(m_rows.size()) - equal)
                          .arg(shown));
}

}  // namespace hesk::app
