#pragma once

class QDialog;
class QDialogButtonBox;

namespace kav {

// The OK and Cancel buttons of a settings dialog, answering it with accept and reject.
QDialogButtonBox* OkCancelButtons(QDialog& dialog);

} // namespace kav
