#pragma once
// The buttons the dialogs share, with the Chinese texts of the interface.

class QDialog;
class QDialogButtonBox;

namespace hesk::app {

// "确定" and "取消" wired to the dialog's accept() and reject(); object names "okButton"
// and "cancelButton".
QDialogButtonBox* okCancelButtons(QDialog* dialog);

// "确定" alone, wired to accept(); object name "okButton".
QDialogButtonBox* okButton(QDialog* dialog);

}  // namespace hesk::app
