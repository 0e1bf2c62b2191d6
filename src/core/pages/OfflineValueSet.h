#pragma once
// The offline value set of the open project: value texts (display units, as the pages
// show them) keyed by the parameter's display key, with the mark that they were changed
// since the last save, the keys changed since then, and the name of the parameter file
// they came from. Offline imports and offline edits fill it; the pages show it while no
// drive is connected.
//
// The revision number grows with every change, so a page can tell cheaply whether its
// offline texts are still current.
//
// Not thread-safe: used on the UI thread.

#include "model/DeviceCatalogue.h"
#include "model/ProjectRecords.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace hesk::pages {

// The display key of a definition: its parameter number text without sub-index ("P0100",
// "r0002", "U005") followed, when it has a sub-index, by "." and the sub-index in plain
// decimal ("P0107.1"). Device classes without parameter letters (none, test bench) use
// the key text ("P0107.1") instead, so that their definitions keep distinct keys.
QString offlineKey(model::DeviceClass deviceClass, const model::HeskParameterElement& element);

class OfflineValueSet {
public:
    std::optional<QString> value(const QString& key) const;
    std::optional<QString> value(model::DeviceClass deviceClass, const model::HeskParameterElement& element) const
    {
        return value(offlineKey(deviceClass, element));
    }
    bool contains(const QString& key) const { return m_values.contains(key); }
    qsizetype size() const { return m_values.size(); }

    // Stores the text for the key. When it differs from the text held (or none was held)
    // the set is marked modified, the key joins the modification list and true comes
    // back; an equal text changes nothing.
    bool set(const QString& key, const QString& text);
    // Removes every value, the modification list and the mark; the file name stays.
    void clear();

    bool isModified() const { return m_modified; }
    // Keys changed since the last save, in the order of their first change.
    const QStringList& modifiedKeys() const { return m_modifiedKeys; }
    // After a save, or when the changes are discarded: the values stay.
    void clearModifications();

    // The parameter file the values came from (empty when none).
    const QString& fileName() const { return m_fileName; }
    void setFileName(const QString& fileName);

    uint64_t revision() const { return m_revision; }

private:
    QHash<QString, QString> m_values;
    QStringList m_modifiedKeys;
    QString m_fileName;
    bool m_modified = false;
    uint64_t m_revision = 0;
};

}  // namespace hesk::pages
