#pragma once
// Writing a parameter file: the bytes go into a temporary file beside the target that
// replaces it only when every byte was written, so a failed write (disk full, folder not
// writable) never leaves a half file where a good one stood and never counts as success.
//
// Contract: any thread; no user interaction.

#include <QByteArray>
#include <QString>

namespace hesk::files {

struct DnlFileWrite {
    bool ok = false;
    QString error;  // why it failed (the file system's text), empty on success
};

DnlFileWrite writeDnlFile(const QString& path, const QByteArray& bytes);

}  // namespace hesk::files
