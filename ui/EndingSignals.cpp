#include "ui/EndingSignals.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include "ui/platform/SignalPipe.h"

namespace velmora {

namespace {
// Long enough for a cancelled dialog to leave its event loop.
constexpr int kRetryMilliseconds = 50;
} // namespace

EndingSignalWatcher::EndingSignalWatcher(std::function<void()> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)), pipe_(platform::openEndingSignalPipe())
{
    if (pipe_ < 0)
        return;
    notifier_ = new QSocketNotifier(pipe_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &EndingSignalWatcher::drain);
}

void EndingSignalWatcher::drain()
{
    const int number = platform::readEndingSignals(pipe_);
    if (number == 0)
        return;
    const bool first = caught_ == 0;
    caught_ = number;
    // A second signal only waits for the same ending.
    if (first && onSignal_)
        onSignal_();
}

void closeWindowsGently(const std::function<QWidget*()>& mainWindow)
{
    const auto retry = [mainWindow] {
        QTimer::singleShot(kRetryMilliseconds, QApplication::instance(),
                           [mainWindow] { closeWindowsGently(mainWindow); });
    };
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        retry();
        return;
    }
    QWidget* window = mainWindow();
    if (window != nullptr && !window->isVisible())
        return;
    // Queued before the close: closing may show a box of its own (settings not saved).
    retry();
    if (window != nullptr)
        window->close();
}

} // namespace velmora
