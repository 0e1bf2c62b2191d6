#pragma once
// Where the installed project folders are (<root>/<code>/<key>/<key>.tmprj), the root
// that the device search, the add-device lookup and the project lookup by code and
// version walk. In this order:
//   1. a folder the caller names (heskmon --root),
//   2. the environment variable HESK_PROJECTS_DIR when it is set and not empty,
//   3. <folder of the executable>/../share/heskmonitor/projects when that folder exists
//      (an installed program),
//   4. the data/projects folder of the source tree the program was built from (a build
//      tree), whether it exists or not.
// Relative folders are made absolute against the current folder.
//
// Reentrant; applicationProjectRoot() needs a QCoreApplication.

#include <QString>

#include <optional>

namespace hesk::online {

inline constexpr char kProjectsEnvironmentVariable[] = "HESK_PROJECTS_DIR";

struct ProjectRoot {
    QString folder;
    QString source;  // "option", "environment", "installation" or "source tree"
    bool operator==(const ProjectRoot&) const = default;
};

// The rule above on given inputs.
struct ProjectRootInputs {
    std::optional<QString> option;  // empty text counts as not given
    QString environment;            // the value of HESK_PROJECTS_DIR, empty when unset
    QString executableFolder;
    QString sourceTreeFolder;
};
ProjectRoot chooseProjectRoot(const ProjectRootInputs& inputs);

// The rule for the running program: its environment, its executable's folder and the
// source tree it was built from.
ProjectRoot applicationProjectRoot(const std::optional<QString>& option = std::nullopt);

}  // namespace hesk::online
