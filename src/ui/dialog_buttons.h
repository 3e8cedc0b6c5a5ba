#pragma once

class QDialog;
class QDialogButtonBox;

namespace kav {

// The OK and Cancel buttons of a settings dialog, answering it with accept and reject. The caller
// puts them in the dialog's layout after the fields, so that they come last in the tab order; each
// showing of the dialog starts with the focus on its first field.
QDialogButtonBox* okCancelButtons(QDialog& dialog);

} // namespace kav
