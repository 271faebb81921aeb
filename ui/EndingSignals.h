#pragma once
// An ending signal during a run of the windows (kill, a closed session) ends it as the
// user would: every open dialog is cancelled, a running operation through its Cancel
// (the progress window waits for the worker's switch-off), then the main window closes
// normally, so the settings are written and the port is closed.

#include <QObject>

#include <functional>

class QSocketNotifier;
class QWidget;

namespace velmora {

class EndingSignalWatcher : public QObject {
    Q_OBJECT
public:
    // onSignal runs on the user-interface thread after a signal arrived.
    explicit EndingSignalWatcher(std::function<void()> onSignal, QObject* parent = nullptr);

    // The last ending signal seen, or 0: the program exits with 128 + it.
    int caughtSignal() const { return caught_; }

private:
    void drain();

    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
    int pipe_ = -1;
    int caught_ = 0;
};

// Cancels the active modal dialog (the progress window, a message box, an editor) and
// tries again shortly, until none is left and mainWindow() gives a window; then closes
// it, and goes on cancelling the boxes its closing shows until it is hidden. While the
// windows are still being created (a start-up message box), mainWindow() gives nullptr
// and only the dialogs are cancelled.
void closeWindowsGently(const std::function<QWidget*()>& mainWindow);

} // namespace velmora
