#include "CodeSearch.h"

#include <algorithm>

namespace hesk::pages {

bool codeSearchSupported(model::DeviceClass deviceClass)
{
    return deviceClass != model::DeviceClass::TestBench;
}

bool rowMatches(const ParameterPage& page, int row, const QString& keyword, bool includeValue)
{
    static constexpr int kColumns[] = {ColumnNumber, ColumnName, ColumnSubIndex, ColumnFactory, ColumnUnit,
                                       ColumnComment};
    for (int column : kColumns)
        if (page.text(row, column).contains(keyword, Qt::CaseInsensitive))
            return true;
    return includeValue && page.text(row, ColumnValue).contains(keyword, Qt::CaseInsensitive);
}

std::optional<SearchHit> CodeSearch::findNext(const QString& keyword, SearchDirection direction,
                                              const PageSource& pages, bool includeValues, bool* pageMissing)
{
    if (pageMissing)
        *pageMissing = false;
    const QString wanted = keyword.left(kSearchKeywordMaxLength);
    if (wanted.isEmpty())
        return std::nullopt;
    const bool down = direction == SearchDirection::Down;

    qsizetype startPage = 0;
    std::optional<int> startRow;  // within startPage; nothing: from the page's first row
    if (m_last) {
        const qsizetype index = m_pages.indexOf(m_last->pageName);
        if (index >= 0) {
            startPage = index;
            startRow = down ? m_last->row + 1 : m_last->row - 1;
        }
    }
    for (qsizetype p = startPage; p < m_pages.size(); ++p) {
        const ParameterPage* page = pages(m_pages[p]);
        if (!page) {
            if (pageMissing)
                *pageMissing = true;
            continue;
        }
        const int rows = page->rowCount();
        int row = down ? 0 : rows - 1;
        if (p == startPage && startRow)
            row = down ? *startRow : std::min(*startRow, rows - 1);
        for (; row >= 0 && row < rows; row += down ? 1 : -1) {
            if (rowMatches(*page, row, wanted, includeValues)) {
                m_last = SearchHit{m_pages[p], row};
                return m_last;
            }
        }
    }
    m_last.reset();
    return std::nullopt;
}

}  // namespace hesk::pages
