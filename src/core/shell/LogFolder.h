#pragma once
// Where a project's log files go. Normally <project folder>/logs; a project opened from
// the installed sample folders (or from any folder the user cannot write) logs under the
// user's data folder instead, <user data>/logs/<project key>, so that opening a sample
// never writes into the installation or the source tree.

#include <QString>

namespace hesk::shell {

// The log folder for a project folder, given the installed projects' root (empty when
// there is none) and the user's data folder.
QString projectLogFolder(const QString& projectFolder, const QString& installedRoot, const QString& userDataFolder);

// The same with the running program's installed root and its local data location.
QString projectLogFolder(const QString& projectFolder);

}  // namespace hesk::shell
