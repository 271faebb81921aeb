#include "ui/Pr_Wnd.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QCoreApplication>
#include <QEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>


#include "devicedata/UserMessages.h"
#include "engine/TPICPr.h"
#include "engine/TimeLeft.h"
#include "ui/DialogFrame.h"
#include "ui/UiTexts.h"

namespace velmora {

namespace {

// Wakes the user-interface thread for the worker's pending request; carries no data,
// which stays behind the window's request lock.
QEvent::Type requestEventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

constexpr int kPanelWidths[3] = {182, 49, 26};
// About the refresh rate of a display: postings faster than this are never seen.
constexpr int kDisplayIntervalMilliseconds = 16;
// How often the close handler looks at the worker's flags while serving events.
constexpr int kWorkerPollMilliseconds = 2;

QString formatAddress(Address address)
{
    return QStringLiteral("%1").arg(address, 6, 16, QChar(u'0')).toUpper();
}

// A sunken panel of fixed size, so that a new text never asks for a layout pass.
QLabel* createStatusPanel(QWidget* parent, int width)
{
    auto* panel = new QLabel(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedSize(width, panel->sizeHint().height());
    return panel;
}

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
    progress_->setRange(0, PostedProgress::kMaximum);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    // An empty caption takes no room in a group box: with the box's height fixed at its
    // captioned size and the bar held at the bottom, the bar stays where it is.
    groupLayout->addStretch();
    groupLayout->addWidget(progress_);
    group_->setFixedHeight(group_->sizeHint().height());
    layout->addWidget(group_);

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    for (int i = 0; i < 3; ++i)
        panels_[i] = createStatusPanel(status, kPanelWidths[i]);
    // The last panel runs to the window's edge and is never narrower than "&+1" in its
    // frame, which the 26 pixels of a small desktop font do not hold.
    const int markerWidth = panels_[2]->fontMetrics().horizontalAdvance(QString::fromLatin1(ui::kWordMarker))
                            + 2 * panels_[2]->frameWidth() + panels_[2]->fontMetrics().averageCharWidth();
    panels_[2]->setMinimumWidth(std::max(kPanelWidths[2], markerWidth));
    panels_[2]->setMaximumWidth(QWIDGETSIZE_MAX);
    for (int i = 0; i < 3; ++i)
        status->addWidget(panels_[i], i == 2 ? 1 : 0);
    layout->addWidget(status);

    displayTimer_ = new QTimer(this);
    displayTimer_->setInterval(kDisplayIntervalMilliseconds);
    connect(displayTimer_, &QTimer::timeout, this, &TForm3::showPostings);

    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    makeFixedDialog(this, 259, 109, MinimizeBox::Shown);
}

QString TForm3::timeLeft() const
{
    return progress_->isTextVisible() ? progress_->format() : QString();
}

void TForm3::showTimeLeft(const QString& text)
{
    if (progress_->format() == text && progress_->isTextVisible() == !text.isEmpty())
        return;
    progress_->setFormat(text);
    progress_->setTextVisible(!text.isEmpty());
}

QString TForm3::panelText(int panel) const
{
    return panels_[panel]->text();
}

void TForm3::prepare(const QString& process)
{
    label_->setText(process);
    posted_.prepare();
    showPostings();
}

void TForm3::setVisible(bool visible)
{
    QDialog::setVisible(visible);
    if (visible)
        displayTimer_->start();
    else
        displayTimer_->stop();
}

void TForm3::showPostings()
{
    const std::optional<ProgressValues> values = posted_.takeChanges();
    if (!values)
        return;
    // Only what changed is touched: an unchanged text or position costs nothing.
    const QString address = values->address ? formatAddress(*values->address) : QString();
    if (panels_[1]->text() != address)
        panels_[1]->setText(address);
    const QString marker = values->wordMarker ? QString::fromLatin1(ui::kWordMarker) : QString();
    if (panels_[2]->text() != marker)
        panels_[2]->setText(marker);
    if (progress_->value() != values->position)
        progress_->setValue(values->position);
    const QString action = QString::fromStdString(values->action);
    if (group_->title() != action) {
        group_->setTitle(action);
        actionStart_ = now_();
    }
    showTimeLeft(QString::fromStdString(timeLeftText(now_() - actionStart_, values->position)));
    const QString process = QString::fromStdString(values->process);
    if (panels_[0]->text() != process)
        panels_[0]->setText(process);
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
        showPostings();
        action();
        return;
    }
    // Only message boxes, the grid refresh, hiding and closing come here, a few times
    // an operation, so the worker sleeps until its request is served. The request lives
    // on the worker's stack: once served, the window may go before the worker wakes.
    UiRequest request{action};
    {
        const std::lock_guard lock(requestMutex_);
        pending_ = &request;
    }
    QCoreApplication::postEvent(this, new QEvent(requestEventType()));
    std::unique_lock lock(request.mutex);
    request.served.wait(lock, [&request] { return request.done; });
}

bool TForm3::event(QEvent* event)
{
    if (event->type() != requestEventType())
        return QDialog::event(event);
    serveRequest();
    return true;
}

void TForm3::serveRequest()
{
    UiRequest* request = nullptr;
    {
        const std::lock_guard lock(requestMutex_);
        request = std::exchange(pending_, nullptr);
    }
    if (request == nullptr)
        return;
    showPostings();
    request->action();
    // Notified under its lock, so the worker cannot return and free the request first.
    const std::lock_guard lock(request->mutex);
    request->done = true;
    request->served.notify_one();
}

void TForm3::clearAddress()
{
    posted_.clearAddress();
}

void TForm3::postAddress(Address address, bool wordMarker)
{
    posted_.setAddress(address, wordMarker);
}

void TForm3::postProgress(std::uint16_t position)
{
    posted_.setPosition(position);
}

void TForm3::postAction(const std::string& text)
{
    posted_.setAction(text);
}

void TForm3::postProcessText(const std::string& text)
{
    posted_.setProcess(text);
}

MessageButton TForm3::messageBox(MessageKind kind, const std::string& text, MessageButtons buttons)
{
    MessageButton answer = ButtonNone;
    runOnUiThread([&] { answer = messages_.showMessage(kind, text, buttons); });
    return answer;
}

MessageButton TForm3::askWithDefault(MessageKind kind, const std::string& text, MessageButtons buttons,
                                     MessageButton defaultButton)
{
    MessageButton answer = ButtonNone;
    runOnUiThread([&] { answer = messages_.askWithDefault(kind, text, buttons, defaultButton); });
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
