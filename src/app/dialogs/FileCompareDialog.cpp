#include "FileCompareDialog.h"

#include "DialogButtons.h"

#include "files/CompareCsvExport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

namespace hesk::app {

namespace {

// The two values of a differing row in red.
class DifferenceDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const bool valueColumn = index.column() == files::CompareRowModel::BaseColumn
                                 || index.column() == files::CompareRowModel::CompareColumn;
        if (valueColumn && index.data(files::CompareRowModel::DiffersRole).toBool()) {
            option->palette.setColor(QPalette::Text, Qt::red);
            option->palette.setColor(QPalette::HighlightedText, QColor(255, 220, 220));
        }
    }
};

}  // namespace

using files::CompareFilter;
using files::CompareSide;
using files::CompareSource;

FileCompareDialog::FileCompareDialog(const model::OpenedProject& project, model::UserPrompt& prompt, QWidget* parent)
    : QDialog(parent)
    , m_project(project)
    , m_prompt(prompt)
{
    setWindowTitle(tr("文件比较"));
    auto* sources = new QGridLayout;
    for (CompareSide side : {CompareSide::Base, CompareSide::Compare}) {
        const int i = static_cast<int>(side);
        auto* box = new QComboBox(this);
        box->setObjectName(i == 0 ? QStringLiteral("baseSource") : QStringLiteral("compareSource"));
        box->addItem(files::compareSourceText(CompareSource::File));
        box->addItem(files::compareSourceText(CompareSource::Factory));
        box->setCurrentIndex(-1);
        auto* path = new QLineEdit(this);
        path->setReadOnly(true);
        m_combos[i] = box;
        m_paths[i] = path;
        sources->addWidget(new QLabel(files::compareSideLabel(side), this), i, 0);
        sources->addWidget(box, i, 1);
        sources->addWidget(path, i, 2);
        // A choice (also of the same entry again) reads the source afresh.
        connect(box, &QComboBox::activated, this,
                [this, side](int index) { chooseSource(side, static_cast<CompareSource>(index)); });
    }
    sources->setColumnStretch(2, 1);

    m_start = new QPushButton(tr("开始"), this);
    m_start->setObjectName(QStringLiteral("startButton"));
    connect(m_start, &QPushButton::clicked, this, &FileCompareDialog::startCompare);
    m_status = new QLabel(this);

    auto* filters = new QHBoxLayout;
    const char* const filterTexts[] = {QT_TR_NOOP("全部"), QT_TR_NOOP("相同"), QT_TR_NOOP("不同")};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(tr(filterTexts[i]), this);
        button->setVisible(false);
        m_filters[i] = button;
        filters->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                m_model.setFilter(static_cast<CompareFilter>(i));
        });
    }
    filters->addStretch();
    m_export = new QPushButton(tr("导出"), this);
    m_export->setObjectName(QStringLiteral("exportButton"));
    m_export->setVisible(false);
    connect(m_export, &QPushButton::clicked, this, &FileCompareDialog::exportRows);
    filters->addWidget(m_status, 1);
    filters->addWidget(m_start);
    filters->addWidget(m_export);

    m_table = new QTableView(this);
    m_table->setModel(&m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->setItemDelegate(new DifferenceDelegate(m_table));
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sources);
    layout->addLayout(filters);
    layout->addWidget(m_table, 1);
    resize(900, 560);
}

QComboBox* FileCompareDialog::combo(CompareSide side) const { return m_combos[static_cast<int>(side)]; }
QLineEdit* FileCompareDialog::pathEdit(CompareSide side) const { return m_paths[static_cast<int>(side)]; }
QRadioButton* FileCompareDialog::filterButton(CompareFilter filter) const { return m_filters[static_cast<int>(filter)]; }
QString FileCompareDialog::statusText() const { return m_status->text(); }

void FileCompareDialog::setStatus(const QString& text)
{
    m_status->setText(text);
    m_status->repaint();
}

void FileCompareDialog::chooseSource(CompareSide side, CompareSource source)
{
    combo(side)->setCurrentIndex(static_cast<int>(source));
    m_compare.choose(side, source, &m_project, m_prompt);
    pathEdit(side)->setText(m_compare.shownSourceName(side));
}

void FileCompareDialog::startCompare()
{
    m_start->setText(tr("执行中..."));
    m_start->setEnabled(false);
    m_start->repaint();
    std::optional<std::vector<files::CompareRow>> rows =
        m_compare.start(&m_project, m_approximate, m_prompt, [this](const QString& text) { setStatus(text); });
    if (rows) {
        m_model.setRows(std::move(*rows));
        for (QRadioButton* button : m_filters)
            button->setVisible(true);
        filterButton(CompareFilter::Different)->setChecked(true);
        m_model.setFilter(CompareFilter::Different);
        m_export->setVisible(true);
        fitColumns();
        setStatus(QString());
    }
    m_start->setText(tr("开始"));
    m_start->setEnabled(true);
}

void FileCompareDialog::fitColumns()
{
    // Numbers and names as wide as they are; the comments get what is left after room for
    // the two values, so that the values are always in view.
    m_table->resizeColumnsToContents();
    QHeaderView* header = m_table->horizontalHeader();
    const int valueWidth = std::max(fontMetrics().horizontalAdvance(QStringLiteral("0000000000000000")),
                                    header->sectionSize(files::CompareRowModel::BaseColumn));
    header->resizeSection(files::CompareRowModel::BaseColumn, valueWidth);
    const int used = header->sectionSize(files::CompareRowModel::MainColumn) +
                     header->sectionSize(files::CompareRowModel::AuxColumn) +
                     header->sectionSize(files::CompareRowModel::NameColumn) + 2 * valueWidth;
    const int room = m_table->viewport()->width() - used;
    header->resizeSection(files::CompareRowModel::CommentColumn,
                          std::clamp(room, 120, header->sectionSize(files::CompareRowModel::CommentColumn)));
}

void FileCompareDialog::showFilter(CompareFilter filter)
{
    filterButton(filter)->setChecked(true);
}

void FileCompareDialog::exportRows()
{
    CompareExportDialog dialog(m_model.rows(), m_compare.sourceName(CompareSide::Base),
                               m_compare.sourceName(CompareSide::Compare), m_prompt, this);
    dialog.exec();
}

CompareExportDialog::CompareExportDialog(const std::vector<files::CompareRow>& rows, QString baseLabel,
                                         QString compareLabel, model::UserPrompt& prompt, QWidget* parent)
    : QDialog(parent)
    , m_rows(rows)
    , m_baseLabel(std::move(baseLabel))
    , m_compareLabel(std::move(compareLabel))
    , m_prompt(prompt)
{
    setWindowTitle(tr("导出文件"));
    auto* layout = new QVBoxLayout(this);
    const char* const texts[] = {QT_TR_NOOP("全部参数"), QT_TR_NOOP("相同参数"), QT_TR_NOOP("不同参数")};
    for (int i = 0; i < 3; ++i) {
        m_sets[i] = new QCheckBox(tr(texts[i]), this);
        layout->addWidget(m_sets[i]);
    }
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(new QLabel(tr("文件保存路径"), this));
    m_folder = new QLineEdit(this);
    folderRow->addWidget(m_folder, 1);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    connect(browse, &QPushButton::clicked, this, &CompareExportDialog::chooseFolder);
    folderRow->addWidget(browse);
    layout->addLayout(folderRow);
    QDialogButtonBox* buttons = okCancelButtons(this);
    // OK exports first; the dialog stays open when nothing was written.
    disconnect(buttons, &QDialogButtonBox::accepted, this, nullptr);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!exportNow().isEmpty())
            accept();
    });
    layout->addWidget(buttons);
}

void CompareExportDialog::setSets(bool all, bool equal, bool different)
{
    m_sets[0]->setChecked(all);
    m_sets[1]->setChecked(equal);
    m_sets[2]->setChecked(different);
}

void CompareExportDialog::setFolder(const QString& folder) { m_folder->setText(folder); }

void CompareExportDialog::chooseFolder()
{
    if (const std::optional<QString> folder = m_prompt.chooseFolder({tr("请选择路径: "), m_folder->text()}))
        m_folder->setText(*folder);
}

QStringList CompareExportDialog::exportNow()
{
    files::CompareCsvRequest request;
    request.all = m_sets[0]->isChecked();
    request.equal = m_sets[1]->isChecked();
    request.different = m_sets[2]->isChecked();
    request.folder = m_folder->text();
    request.baseLabel = m_baseLabel;
    request.compareLabel = m_compareLabel;
    return files::exportCompareCsv(m_rows, request, m_prompt);
}

}  // namespace hesk::app
