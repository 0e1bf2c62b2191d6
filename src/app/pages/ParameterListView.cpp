#include "ParameterListView.h"

#include "pages/ParameterPage.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>

namespace hesk::app {

ParameterListView::ParameterListView(const pages::ParameterPage& page, Clock clock, QWidget* parent)
    : QTableView(parent), m_page(page), m_clock(std::move(clock))
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setSortingEnabled(false);
    setShowGrid(true);
    verticalHeader()->hide();
    // Fixed row heights: a view of thousands of rows must not measure each of them. The
    // height follows the font with a small margin, as compact as engineering lists are.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 2);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
}

void ParameterListView::selectRow(int row)
{
    if (row < 0 || !model() || row >= model()->rowCount()) {
        clearSelection();
        return;
    }
    const QModelIndex index = model()->index(row, 1);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index, QAbstractItemView::PositionAtCenter);
}

int ParameterListView::selectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void ParameterListView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const auto now = m_clock ? m_clock() : pages::TypeAhead::Clock::now();
        switch (m_typeAhead.key(text.front(), now)) {
        case pages::TypeAhead::KeyEffect::Ignored:
            break;
        case pages::TypeAhead::KeyEffect::Started:
            event->accept();
            return;
        case pages::TypeAhead::KeyEffect::Search:
            selectRow(pages::TypeAhead::findRow(m_typeAhead.searchText(), m_page.rows()).value_or(-1));
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

}  // namespace hesk::app
