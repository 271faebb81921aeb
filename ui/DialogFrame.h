#pragma once
// The window frame every dialog shares: fixed size, system menu, optionally a minimize
// box, centred on the screen when shown (the same place at every opening).

class QWidget;

namespace velmora {

enum class MinimizeBox { Shown, Hidden };

// Call once the dialog's layout holds its controls. The dialog keeps at least the
// given client size and grows when its controls need more (larger desktop fonts).
void makeFixedDialog(QWidget* dialog, int clientWidth, int clientHeight, MinimizeBox minimize);
void centerOnScreen(QWidget* window);

} // namespace velmora
