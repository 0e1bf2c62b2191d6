#pragma once
// Where heskmon looks for the installed projects (<root>/<code>/<key>/<key>.tmprj):
//   1. the --root option,
//   2. the environment variable HESK_PROJECTS_DIR when it is set and not empty,
//   3. <folder of heskmon>/../share/heskmonitor/projects when that folder exists (an
//      installed heskmon),
//   4. the data/projects folder of the source tree heskmon was built from (a build
//      tree), whether it exists or not.

#include <QString>

#include <optional>

namespace hesk::cli {

struct ProjectRoot {
    QString folder;
    QString source;  // "option", "environment", "installation" or "source tree"
};

ProjectRoot findProjectRoot(const std::optional<QString>& option);

}  // namespace hesk::cli
