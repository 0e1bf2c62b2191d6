#pragma once
// The custom page ("自定义参数"): an ordered list of parameter numbers kept in the project
// (HeskProject::customParameters), the custom page file it came from and the mark that it
// changed since. The page shows, for each listed number in list order, every definition
// with that number; a number listed twice shows its rows twice.
//
// Edits name a list entry by its position (a row's customIndex). Every edit marks the
// list changed; the caller tells the main window that the project was modified.
//
// Not thread-safe: used on the UI thread.

#include "model/DeviceCatalogue.h"
#include "model/HeskProject.h"
#include "model/UserMessage.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace hesk::pages {

// Lives as long as the project is open.
struct CustomPageState {
    QString filePath;      // the .fpm file the list came from or was saved to; empty: none
    bool changed = false;  // changed since it was loaded or saved
};

class CustomPageList {
public:
    // project and state must outlive this object.
    CustomPageList(model::HeskProject& project, model::DeviceClass deviceClass, CustomPageState& state);

    const std::vector<uint32_t>& numbers() const { return m_project.customParameters; }
    const CustomPageState& state() const { return m_state; }
    const model::HeskProject& project() const { return m_project; }
    model::DeviceClass deviceClass() const { return m_deviceClass; }

    // The number a text typed into "自由参数" names: a decimal number ("100") or a
    // parameter number text ("P0100", "U005", "r0002", "P0107.001", any letter case).
    // A message when the text is neither, or the project has no parameter of that number.
    std::variant<uint16_t, model::UserMessage> parseEntry(const QString& text) const;
    bool projectHasNumber(uint32_t number) const;

    // Inserts the number before the entry at `position`; a position outside the list
    // appends.
    void insert(int position, uint16_t number);
    // False when the position is outside the list.
    bool remove(int position);
    bool change(int position, uint16_t number);
    // The list loaded from a custom page file.
    void replace(std::vector<uint32_t> numbers, const QString& filePath);

    // The page shows at least one row.
    bool hasRows() const;
    // What a custom page file holds: the number of each row of the page, once for every
    // run of neighbouring rows with the same number.
    std::vector<uint16_t> numbersToSave() const;

    // After the list was written to a file: it came from there and is unchanged.
    void markSaved(const QString& filePath);

private:
    model::HeskProject& m_project;
    model::DeviceClass m_deviceClass;
    CustomPageState& m_state;
};

}  // namespace hesk::pages
