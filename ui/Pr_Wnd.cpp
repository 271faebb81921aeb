#include "ui/Pr_Wnd.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

#include "devicedata/UserMessages.h"
#include "engine/TPICPr.h"
#include "ui/DialogFrame.h"
#include "ui/UiTexts.h"

namespace velmora {

namespace {

// Marks a queued call finished when the last copy of its functor goes away.
class CallCompletion {
public:
    explicit CallCompletion(std::atomic<bool>& done) : done_(done) {}
    CallCompletion(const CallCompletion&) = delete;
    CallCompletion& operator=(const CallCompletion&) = delete;
    ~CallCompletion() { done_.store(true, std::memory_order_release); }

private:
    std::atomic<bool>& done_;
};

constexpr int kPanelWidths[3] = {182, 49, 26};
constexpr std::uint16_t kProgressMaximum = 100;
// How often the close handler looks at the worker's flags while serving events.
constexpr int kWorkerPollMilliseconds = 2;

} // namespace

TForm3::TForm3(TPICPr& engine, UserMessages& messages, std::function<void()> refreshGrid, QWidget* parent)
    : QDialog(parent), engine_(engine), messages_(messages), refreshGrid_(std::move(refreshGrid))
{
    setWindowTitle(QString::fromLatin1(ui::kProgressCaption));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);

    auto* top = new QHBoxLayout;
    label_ = new QLabel(QString::fromLatin1(ui::kProgressProcess), this);
    label_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label_->setMinimumWidth(150);
    cancel_ = new QPushButton(QString::fromLatin1(ui::kCancel), this);
    top->addWidget(label_, 1);
    top->addWidget(cancel_);
    layout->addLayout(top);

    group_ = new QGroupBox(QString::fromLatin1(ui::kProgressAction), this);
    auto* groupLayout = new QVBoxLayout(group_);
    progress_ = new QProgressBar(group_);
    progress_->setRange(0, kProgressMaximum);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    groupLayout->addWidget(progress_);
    layout->addWidget(group_);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(status);
        panels_[i]->setFixedWidth(kPanelWidths[i]);
        status->addWidget(panels_[i]);
    }
    layout->addWidget(status);

    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    makeFixedDialog(this, 259, 109, MinimizeBox::Shown);
}

QString TForm3::panelText(int panel) const
{
    return panels_[panel]->text();
}

void TForm3::prepare(const QString& process)
{
    label_->setText(process);
    group_->setTitle(QString());
    progress_->setValue(0);
    panels_[0]->clear();
    panels_[1]->clear();
}

void TForm3::RunOperation(std::uint8_t code)
{
    pendingCode_ = code;
    closing_ = false;
    // Our own modal loop rather than exec(): the worker may hide the window before its
    // final report, and the operation only ends when the window is closed.
    QEventLoop loop;
    modalLoop_ = &loop;
    setModal(true);
    show();
    loop.exec(QEventLoop::DialogExec);
    modalLoop_ = nullptr;
}

void TForm3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centerOnScreen(this);
    cancel_->setFocus(Qt::OtherFocusReason);
    const std::uint8_t code = pendingCode_;
    pendingCode_ = 0;
    engine_.start(code);
}

void TForm3::waitForWorker()
{
    // The worker's postings arrive as queued calls: a short event loop serves them.
    engine_.waitForEnd([] {
        QEventLoop loop;
        QTimer::singleShot(kWorkerPollMilliseconds, &loop, &QEventLoop::quit);
        loop.exec();
        return true;
    });
}

void TForm3::done(int result)
{
    if (closing_)
        return;
    closing_ = true;
    engine_.requestCancel();
    waitForWorker();
    QDialog::done(result);
    if (modalLoop_ != nullptr)
        modalLoop_->quit();
}

void TForm3::runOnUiThread(const std::function<void()>& action)
{
    if (QThread::currentThread() == thread()) {
        action();
        return;
    }
    // The worker spins until the call is done instead of sleeping on a semaphore:
    // it is a busy-waiting thread anyway, and being woken from sleep cost tens of
    // microseconds per posting, a fifth of the time of a byte read. The flag is set
    // when the queued call is destroyed, so it is set even if Qt drops the call.
    std::atomic<bool> done{false};
    auto completion = std::make_shared<CallCompletion>(done);
    QMetaObject::invokeMethod(this, [completion, &action] { action(); }, Qt::QueuedConnection);
    completion.reset();
    while (!done.load(std::memory_order_acquire))
        std::this_thread::yield();
}

void TForm3::clearAddress()
{
    runOnUiThread([this] { panels_[1]->clear(); });
}

void TForm3::postAddress(Address address, bool wordMarker)
{
    runOnUiThread([this, address, wordMarker] {
        panels_[1]->setText(QStringLiteral("%1").arg(address, 6, 16, QChar(u'0')).toUpper());
        panels_[2]->setText(wordMarker ? QString::fromLatin1(ui::kWordMarker) : QString());
    });
}

void TForm3::postProgress(std::uint16_t position)
{
    runOnUiThread([this, position] { progress_->setValue(std::min(position, kProgressMaximum)); });
}

void TForm3::postAction(const std::string& text)
{
    runOnUiThread([this, &text] { group_->setTitle(QString::fromStdString(text)); });
}

void TForm3::postProcessText(const std::string& text)
{
    runOnUiThread([this, &text] { panels_[0]->setText(QString::fromStdString(text)); });
}

MessageButton TForm3::messageBox(MessageKind kind, const std::string& text, MessageButtons buttons)
{
    MessageButton answer = ButtonNone;
    runOnUiThread([&] { answer = messages_.showMessage(kind, text, buttons); });
    return answer;
}

void TForm3::refreshGrid()
{
    runOnUiThread([this] { refreshGrid_(); });
}

void TForm3::hideWindow()
{
    runOnUiThread([this] { hide(); });
}

void TForm3::closeWindow()
{
    runOnUiThread([this] {
        if (!engine_.windowClosed)
            done(QDialog::Accepted);
    });
}

} // namespace velmora
