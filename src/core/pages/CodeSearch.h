#pragma once
// The function-code search ("查找"): a keyword looked for, in lower case as a substring,
// in the row texts of the pages, page after page in the fixed page order and within a
// page row after row in the chosen direction, continuing after the last hit. The texts
// compared are the parameter number, name, sub-index, factory value, unit and comment,
// and the value only while offline values are shown (online values change every second).
// The search does not wrap: past the last page it reports no hit and starts again from
// the beginning the next time.
//
// The test bench has no function codes to search.

#include "ParameterPage.h"

#include "model/DeviceCatalogue.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace hesk::pages {

inline constexpr int kSearchKeywordMaxLength = 50;

enum class SearchDirection { Up, Down };

struct SearchHit {
    QString pageName;
    int row = 0;
    bool operator==(const SearchHit&) const = default;
};

// Whether the device class supports the search (the test bench does not).
bool codeSearchSupported(model::DeviceClass deviceClass);

// Whether a row's texts contain the keyword, compared without regard to case.
bool rowMatches(const ParameterPage& page, int row, const QString& keyword, bool includeValue);

class CodeSearch {
public:
    // The page a search looks at, with its rows current; nullptr when it cannot be had.
    using PageSource = std::function<const ParameterPage*(const QString& pageName)>;

    explicit CodeSearch(QStringList pageOrder) : m_pages(std::move(pageOrder)) {}

    // The next hit after the last one; nothing when the rest of the pages has none (the
    // next search then starts from the first page). An empty keyword finds nothing.
    // A page the source cannot give is skipped and reported through pageMissing.
    std::optional<SearchHit> findNext(const QString& keyword, SearchDirection direction, const PageSource& pages,
                                      bool includeValues, bool* pageMissing = nullptr);

    const std::optional<SearchHit>& lastHit() const { return m_last; }
    void reset() { m_last.reset(); }

private:
    QStringList m_pages;
    std::optional<SearchHit> m_last;
};

}  // namespace hesk::pages
