#pragma once
// One parameter page as rows: the definitions of the page (project order; the custom page
// in the order of the custom list) with the texts of the nine columns, the current value
// text and whether it differs from the factory value.
//
// Values: online the words the drive reported (the tables of last known device values),
// offline the offline value set. Refreshing a range of rows recomputes only what can have
// changed: a value row whose word is the one shown keeps its text, except formula rows
// (their references may have moved); a change of mode, of the offline set, of the
// approximate-comparison switch or of the formula generation recomputes every row.
//
// The page refers to the project it was built from; the project must outlive it and must
// not change its definitions meanwhile (a new project means new pages).
//
// Not thread-safe: used on the UI thread (the tables are atomic words).

#include "OfflineValueSet.h"
#include "PageColumns.h"
#include "PageValueText.h"

#include "link/ValueTables.h"
#include "model/DeviceCatalogue.h"
#include "model/FormulaEvaluator.h"
#include "model/HeskProject.h"
#include "model/LogSink.h"
#include "online/FrameList.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace hesk::pages {

struct PageRow {
    std::size_t elementIndex = 0;           // into project.elements
    model::HeskParameterElement element;    // the definition as the row was built
    int customIndex = -1;                   // custom page: the entry of the custom list
    QString numberText;                     // "P0100", "U005", "r0002"
    QString subIndexText;                   // "001"; empty without sub-index
    QString valueText;
    bool valueDiffers = false;              // drawn in the differing colour
    // What valueText was computed from.
    std::optional<uint16_t> shownWord;
    bool stale = true;
    bool formulaFailureLogged = false;      // why "WrongParameter" is logged once per page
};

// Where the value texts come from for one refresh.
struct ValueSource {
    // Online: the drive's words. Offline (nullptr): the offline set.
    const link::OnlineValueTables* tables = nullptr;
    const OfflineValueSet* offline = nullptr;  // nullptr offline: no values
    const model::FormulaContext* formulas = nullptr;  // required online
    bool approximateComparison = false;
    // Raised by the caller whenever the formula-dependent values must be converted anew
    // (the base values were selected again).
    uint64_t formulaGeneration = 0;
    // Online: where the page says, once per row, why a formula could not be computed.
    model::LogSink* log = nullptr;
};

// Rows whose texts or colour changed; empty when first > last.
struct ChangedRows {
    int first = -1;
    int last = -2;
    bool any() const { return first <= last; }
    void include(int row);
};

enum class CommentStore { Stored, Unchanged, Failed };

// The word a definition's read code fills: read-only table, parameter table or
// connection table; nothing for an address of 8192 or more or while the drive has not
// reported it since the connect.
std::optional<uint16_t> onlineWord(const link::OnlineValueTables& tables, const model::HeskParameterElement& element);

// The value text a page shows online for a definition, from the drive's words: a
// connection input as the number of its source, a value through displayValueText, a
// definition without device address (the fixed r0071..r0073) as the value the formulas
// hold. Without formulas only connection inputs have a text. A word the drive has not
// reported since the connect gives an empty text. The pages and heskmon both show what
// this gives.
QString onlineValueText(const model::HeskParameterElement& element, const link::OnlineValueTables& tables,
                        const ConnectionSources& sources, const model::TimeBases& timeBases,
                        const model::FormulaContext* formulas);

// The log line that says why a definition's formula gave no value for the word.
QString formulaFailureLine(const model::HeskParameterElement& element, uint16_t word,
                           const model::TimeBases& timeBases, const model::FormulaContext& formulas,
                           model::DeviceClass deviceClass);

class ParameterPage {
public:
    ParameterPage(model::HeskProject& project, model::DeviceClass deviceClass, const QString& pageName);

    const QString& name() const { return m_name; }
    bool isCustom() const;
    // The device class has such a page.
    bool exists() const { return m_exists; }
    model::DeviceClass deviceClass() const { return m_deviceClass; }
    const model::HeskProject& project() const { return m_project; }

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    const PageRow& row(int index) const { return m_rows.at(static_cast<std::size_t>(index)); }
    const std::vector<PageRow>& rows() const { return m_rows; }

    // The text of a cell; empty for a row or column out of range.
    QString text(int row, int column) const;

    // Builds the rows again from the project (after the custom list changed). Values
    // become stale.
    void rebuild();

    // Recomputes the value texts of rows first..last (clamped to the page).
    ChangedRows refreshValues(const ValueSource& source, int first, int last);
    ChangedRows refreshAllValues(const ValueSource& source) { return refreshValues(source, 0, rowCount() - 1); }
    // Every value text is recomputed at the next refresh.
    void invalidateValues();

    // Takes the comments of the project again (another page stored one).
    ChangedRows refreshComments();
    // Stores an edited comment into the project's definition and the row. Failed when
    // the row is out of range or its definition is no longer the project's.
    CommentStore storeComment(int row, const QString& comment);

    // The page poll list: one read request per definition with a valid address,
    // deduplicated by the list itself. The list is emptied first.
    void buildPollList(online::FrameList& list) const;

private:
    struct SourceState {
        bool online = false;
        const OfflineValueSet* offline = nullptr;
        uint64_t offlineRevision = 0;
        bool approximate = false;
        uint64_t formulaGeneration = 0;
        bool operator==(const SourceState&) const = default;
    };
    void addRow(std::size_t elementIndex, int customIndex);
    bool refreshRow(PageRow& row, const ValueSource& source);
    void logFormulaFailure(PageRow& row, uint16_t word, const ValueSource& source) const;

    model::HeskProject& m_project;
    model::DeviceClass m_deviceClass;
    QString m_name;
    bool m_exists = false;
    ConnectionSources m_sources;
    std::vector<PageRow> m_rows;
    std::optional<SourceState> m_lastSource;
};

}  // namespace hesk::pages
