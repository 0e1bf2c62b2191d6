#pragma once
// The progress dialog the window shows over a running workflow (upload, download,
// factory restore): window modal, shown at once, kept open until the workflow ends (no
// automatic close or reset), and without a Cancel button: these transfers end by
// themselves and cannot be left half done.

#include <QProgressDialog>

namespace hesk::app {

// Range 0..maximum; a maximum of 0 shows a busy bar until the first progress.
QProgressDialog* workflowProgressDialog(QWidget* parent, const QString& title, const QString& label, int maximum);

}  // namespace hesk::app
