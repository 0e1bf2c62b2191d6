#pragma once
// Finds installed projects by reading only their headers: the walk behind the device
// search (by program identifier) and the add-device lookup (by device type and version).
//
// The walk covers the root folder and all its subfolders breadth first: the entries of
// one folder in name order (without case), each regular ".tmprj" file (extension without
// case) visited, each subfolder queued. Pipes, sockets and device nodes are passed over
// whatever their name: opening or reading one could block the walk for ever. Hidden entries count; symbolic links are followed,
// but no folder is entered twice, so a link loop ends. Unreadable folders and files
// whose header cannot be read (missing, cut off, damaged) are passed over.
//
// The first match in walk order wins: the walk ends there. Projects that share an
// identifier (or a type and version) are therefore resolved by their place in the tree,
// the same answer every time.
//
// Reentrant; call from any thread. The stop token ends a walk early (checked before each
// entry), with no result.

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>

namespace hesk::online {

struct FoundProject {
    QString path;
    QString deviceType;     // header field 2 ("VRA1", "有源整流电源", ...)
    QString deviceVersion;  // header field 3 ("V1.14.18")
    uint16_t programId = 0;
    bool operator==(const FoundProject&) const = default;
};

// Calls visit with the path of each project file in walk order until it returns true.
void walkProjectFiles(const QString& root, const std::function<bool(const QString& path)>& visit,
                      std::stop_token stop = {});

// The first project whose header carries this program identifier.
std::optional<FoundProject> findProjectByProgramId(const QString& root, uint16_t programId,
                                                   std::stop_token stop = {});

// The first project whose header carries this device type text and version, both
// compared exactly.
std::optional<FoundProject> findProjectByTypeAndVersion(const QString& root, const QString& deviceType,
                                                        const QString& version, std::stop_token stop = {});

}  // namespace hesk::online
