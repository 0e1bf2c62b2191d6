#pragma once
// The rows of a file compare as a table: columns "主参", "辅参", "参数名称", "注释",
// "基准文件", "比对文件", filtered to all, equal or different rows ("不同" first).
//
// Thread: UI thread (a Qt item model).

#include "DnlCompare.h"

#include <QAbstractTableModel>

#include <vector>

namespace hesk::files {

class CompareRowModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int DiffersRole = Qt::UserRole + 1;
    enum Column { MainColumn, AuxColumn, NameColumn, CommentColumn, BaseColumn, CompareColumn, ColumnCount };

    explicit CompareRowModel(QObject* parent = nullptr);

    void setRows(std::vector<CompareRow> rows);
    const std::vector<CompareRow>& rows() const { return m_rows; }
    void setFilter(CompareFilter filter);
    CompareFilter filter() const { return m_filter; }
    // The row shown at a model row.
    const CompareRow* shownRow(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void refilter();

    std::vector<CompareRow> m_rows;
    std::vector<int> m_shown;
    CompareFilter m_filter = CompareFilter::Different;
};

}  // namespace hesk::files
