#include "CompareRowModel.h"

namespace hesk::files {

CompareRowModel::CompareRowModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void CompareRowModel::setRows(std::vector<CompareRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    refilter();
    endResetModel();
}

void CompareRowModel::setFilter(CompareFilter filter)
{
    if (filter == m_filter)
        return;
    beginResetModel();
    m_filter = filter;
    refilter();
    endResetModel();
}

void CompareRowModel::refilter()
{
    m_shown.clear();
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (passesFilter(m_rows[i], m_filter))
            m_shown.push_back(static_cast<int>(i));
}

const CompareRow* CompareRowModel::shownRow(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_shown.size()))
        return nullptr;
    return &m_rows[static_cast<std::size_t>(m_shown[static_cast<std::size_t>(row)])];
}

int CompareRowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int CompareRowModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CompareRowModel::data(const QModelIndex& index, int role) const
{
    const CompareRow* row = shownRow(index.row());
    if (!row)
        return {};
    // Whether the row differs, for views that colour it.
    if (role == DiffersRole)
        return !row->equal;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case MainColumn: return row->main;
    case AuxColumn: return row->aux;
    case NameColumn: return row->name;
    case CommentColumn: return row->comment;
    case BaseColumn: return row->base;
    case CompareColumn: return row->compare;
    default: return {};
    }
}

QVariant CompareRowModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case MainColumn: return tr("主参");
    case AuxColumn: return tr("辅参");
    case NameColumn: return tr("参数名称");
    case CommentColumn: return tr("注释");
    case BaseColumn: return tr("基准文件");
    case CompareColumn: return tr("比对文件");
    default: return {};
    }
}

}  // namespace hesk::files
