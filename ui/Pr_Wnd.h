#pragma once
// TForm3, the progress window "Device": shown modally for every device operation. Its
// show handler hands the operation to the engine's worker; the worker reports back
// through the ProgressBridge. Address, progress and texts are stored and shown at the
// display's pace; message boxes, the grid refresh, hiding and closing run on the
// user-interface thread while the worker waits. Closing it (Cancel, Esc, the close box or the worker's request) sets
// the cancel request when the worker is busy and keeps serving the worker until it has
// stopped, so the window never closes under a running operation.

#include <QDialog>
#include <QEventLoop>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

#include "engine/ProgressBridge.h"
#include "ui/PostedProgress.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace velmora {

class TPICPr;
class UserMessages;

class TForm3 : public QDialog, public ProgressBridge {
    Q_OBJECT
public:
    TForm3(TPICPr& engine, UserMessages& messages, std::function<void()> refreshGrid,
           QWidget* parent = nullptr);

    // The main window's preparation: title label, empty action caption, progress 0,
    // first two status panels empty (the third keeps its text).
    void prepare(const QString& process);
    // Stores the code and shows the window modally; returns once it has closed.
    void RunOperation(std::uint8_t code);

    QLabel* Label1() const { return label_; }
    QGroupBox* GroupBox1() const { return group_; }
    QProgressBar* progressBar() const { return progress_; }
    QPushButton* cancelButton() const { return cancel_; }
    QString panelText(int panel) const;
    // The time the action has left, shown in the progress bar; empty without an estimate.
    QString timeLeft() const;
    // The clock the time left is measured by; tests set their own.
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    void setClock(Clock now) { now_ = std::move(now); }

    void done(int result) override;
    void setVisible(bool visible) override;

    // Copies what the worker posted to the widgets; the display timer calls it while
    // the window is shown, and every synchronous request calls it first.
    void showPostings();

    // ProgressBridge, called on the worker. The first five store their value and return.
    void clearAddress() override;
    void postAddress(Address address, bool wordMarker) override;
    void postProgress(std::uint16_t position) override;
    void postAction(const std::string& text) override;
    void postProcessText(const std::string& text) override;
    MessageButton messageBox(MessageKind kind, const std::string& text, MessageButtons buttons) override;
    // A question with the answer Enter gives, from the worker as from this thread.
    MessageButton askWithDefault(MessageKind kind, const std::string& text, MessageButtons buttons,
                                 MessageButton defaultButton);
    void refreshGrid() override;
    void hideWindow() override;
    void closeWindow() override;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Runs action on the user-interface thread and returns once it is done.
    void runOnUiThread(const std::function<void()>& action);
    // Carries out the worker's pending request, on the user-interface thread.
    void serveRequest();
    void showTimeLeft(const QString& text);
    // Serves user-interface events until the worker is neither busy nor cancelling.
    void waitForWorker();

    TPICPr& engine_;
    UserMessages& messages_;
    std::function<void()> refreshGrid_;
    std::uint8_t pendingCode_ = 0;
    bool closing_ = false;
    QEventLoop* modalLoop_ = nullptr;

    QLabel* label_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QGroupBox* group_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* panels_[3]{};
    PostedProgress posted_;
    // One request of the worker, on the worker's stack while it waits.
    struct UiRequest {
        explicit UiRequest(const std::function<void()>& run) : action(run) {}
        const std::function<void()>& action;
        std::mutex mutex;
        std::condition_variable served;
        bool done = false;   // guarded by mutex
    };
    std::mutex requestMutex_;
    UiRequest* pending_ = nullptr;   // guarded by requestMutex_
    QTimer* displayTimer_ = nullptr;
    Clock now_ = std::chrono::steady_clock::now;
    std::chrono::steady_clock::time_point actionStart_{};
};

} // namespace velmora
