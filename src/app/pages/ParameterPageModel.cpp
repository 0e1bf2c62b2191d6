#include "ParameterPageModel.h"

#include "pages/PageColumns.h"

#include <QBrush>
#include <QColor>

namespace hesk::app {

namespace {

QColor toColor(const pages::Rgb& rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

ParameterPageModel::ParameterPageModel(pages::ParameterPage& page, model::UserPrompt& prompt, QObject* parent)
    : QAbstractTableModel(parent), m_page(page), m_prompt(prompt)
{
}

int ParameterPageModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_page.rowCount();
}

int ParameterPageModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : pages::kPageColumnCount;
}

QVariant ParameterPageModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_page.rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_page.text(index.row(), index.column());
    case Qt::ForegroundRole: {
        const bool differs = index.column() == pages::ColumnValue && m_page.row(index.row()).valueDiffers;
        return QBrush(toColor(differs ? pages::kDifferingValueColour : pages::kPlainValueColour));
    }
    case Qt::BackgroundRole:
        return QBrush(toColor(pages::kRowBackground));
    default:
        return {};
    }
}

QVariant ParameterPageModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= pages::kPageColumnCount)
        return {};
    return pages::pageColumnHeader(section);
}

Qt::ItemFlags ParameterPageModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == pages::ColumnComment)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool ParameterPageModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.column() != pages::ColumnComment)
        return false;
    switch (m_page.storeComment(index.row(), value.toString())) {
    case pages::CommentStore::Failed:
        m_prompt.show(model::MessageKind::Error, tr("错误"), tr("更新数据失败!"));
        return false;
    case pages::CommentStore::Unchanged:
        return true;
    case pages::CommentStore::Stored:
        Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
        Q_EMIT commentStored(index.row());
        return true;
    }
    return false;
}

void ParameterPageModel::rebuildRows()
{
    beginResetModel();
    m_page.rebuild();
    endResetModel();
}

void ParameterPageModel::valuesChanged(const pages::ChangedRows& rows)
{
    if (!rows.any())
        return;
    Q_EMIT dataChanged(index(rows.first, pages::ColumnValue), index(rows.last, pages::ColumnValue),
                       {Qt::DisplayRole, Qt::ForegroundRole});
}

void ParameterPageModel::rowsChanged(const pages::ChangedRows& rows)
{
    if (!rows.any())
        return;
    Q_EMIT dataChanged(index(rows.first, 0), index(rows.last, pages::kPageColumnCount - 1));
}

}  // namespace hesk::app
