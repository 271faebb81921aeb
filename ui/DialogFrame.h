#pragma once
// The window frame every dialog shares: fixed size, system menu, optionally a minimize
// box, centred on the screen when shown (the same place at every opening).

class QBoxLayout;
class QDialog;
class QPushButton;
class QWidget;

namespace velmora {

enum class MinimizeBox { Shown, Hidden };

// Call once the dialog's layout holds its controls. The dialog keeps at least the
// given client size and grows when its controls need more (larger desktop fonts).
void makeFixedDialog(QWidget* dialog, int clientWidth, int clientHeight, MinimizeBox minimize);
void centerOnScreen(QWidget* window);
// Appends the OK and Cancel row to the dialog's layout: OK is the default button and
// accepts, Cancel rejects. Returns the OK button.
QPushButton* addOkCancelRow(QDialog* dialog, QBoxLayout* layout);

} // namespace velmora
