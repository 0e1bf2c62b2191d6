#pragma once
// The project name of the creation wizard: at most 12 characters, each an ASCII letter,
// a digit or "_", as the page's hint "(最长12位字符，仅允许字母/下划线/数字)" says. The name
// becomes a folder and a file name inside the storage folder, so nothing else may pass:
// no separators, no "..", no characters a file system treats specially.

#include <QString>

namespace hesk::creation {

inline constexpr int kMaxProjectNameLength = 12;

bool isValidProjectName(const QString& name);

}  // namespace hesk::creation
