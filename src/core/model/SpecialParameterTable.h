#pragma once
// Index table of special parameters: a fixed list of parameter key texts ("P0070",
// "P0107.1", "r0943.20", ...) resolved to element indices once per opened project, so
// that the code that uses these parameters needs no search. A key text without an
// element is remembered as absent and looks up as nothing.

#include "HeskProject.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <optional>

namespace hesk::model {

class SpecialParameterTable {
public:
    // The key texts every opened project resolves. Extend the list in the .cpp; order
    // does not matter and duplicates are harmless.
    static QStringList standardKeyTexts();

    // An empty table: every key text is absent.
    SpecialParameterTable() = default;

    // Resolves the standard list against the project.
    explicit SpecialParameterTable(const HeskProject& project);

    // Resolves the given key texts against the project. The project's definitions must
    // be sorted (as they are after loading); re-resolve after definitions are added,
    // removed or re-sorted, since the table keeps indices.
    SpecialParameterTable(const HeskProject& project, const QStringList& keyTexts);

    // Index of the definition for a listed key text; nothing when the project has no
    // such definition or the key text is not in the list. O(1).
    std::optional<std::size_t> indexOf(const QString& keyText) const;

    bool isListed(const QString& keyText) const { return indices_.contains(keyText); }
    bool isPresent(const QString& keyText) const { return indexOf(keyText).has_value(); }

    // The definition for a listed key text within the project the table was resolved
    // against; nullptr when absent (or when the index no longer fits the project).
    const HeskParameterElement* element(const HeskProject& project, const QString& keyText) const;
    HeskParameterElement* element(HeskProject& project, const QString& keyText) const;

    qsizetype listedCount() const { return indices_.size(); }

private:
    // Listed key text -> element index, or nothing when the project lacks it.
    QHash<QString, std::optional<std::size_t>> indices_;
};

}  // namespace hesk::model
