#pragma once
// The table model of one parameter page: the nine columns of the core page's rows, the
// value cell's colour, and the comment cell as the only editable one (its edit stores
// into the project; a failure shows "更新数据失败!").
//
// The model owns no rows: it shows a pages::ParameterPage that outlives it, rebuilds it
// on request and is told which texts changed.

#include "pages/ParameterPage.h"

#include "model/UserPrompt.h"

#include <QAbstractTableModel>

namespace hesk::app {

class ParameterPageModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    ParameterPageModel(pages::ParameterPage& page, model::UserPrompt& prompt, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Builds the page's rows again (the custom list changed).
    void rebuildRows();
    // Texts of these rows changed (values in the value column, or any column).
    void valuesChanged(const pages::ChangedRows& rows);
    void rowsChanged(const pages::ChangedRows& rows);

Q_SIGNALS:
    // A comment was stored into the project.
    void commentStored(int row);

private:
    pages::ParameterPage& m_page;
    model::UserPrompt& m_prompt;
};

}  // namespace hesk::app
