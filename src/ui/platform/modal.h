#pragma once
// Running a dialog modally.
class QDialog;

namespace quill {

// Shows the dialog application-modal and waits until it finishes, like QDialog::exec(); unlike
// exec(), the dialog may hide itself and show again while it runs (the chapter editor hides
// while its chapter is previewed), which would end exec().
int ShowModal(QDialog& dialog);

}  // namespace quill
