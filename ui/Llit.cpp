#include "ui/Llit.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "devicedata/UserMessages.h"
#include "ui/DialogFrame.h"
#include "ui/LowLevelAccess.h"
#include "ui/UiTexts.h"

namespace velmora {

namespace {

constexpr int kPollMilliseconds = 40;
// The delay test: a short settling wait, then 5 s (1,000,000 units of 5 us).
constexpr std::uint32_t kSettlingUnits = 44643;
constexpr std::uint32_t kFiveSecondUnits = 1000000;
constexpr int kSignificantDigits = 15;

std::uint8_t level(const QCheckBox* box)
{
    return box->isChecked() ? 1 : 0;
}

} // namespace

TForm2::TForm2(LowLevelAccess& access, UserMessages& messages, QWidget* parent)
    : QDialog(parent), access_(access), messages_(messages)
{
    setWindowTitle(QString::fromLatin1(ui::kLowLevelCaption));
    auto* layout = new QVBoxLayout(this);

    pins_ = new QGroupBox(QString::fromLatin1(ui::kPinGroup), this);
    auto* pinLayout = new QGridLayout(pins_);
    vpp_ = new QCheckBox(QString::fromLatin1(ui::kVppBox), pins_);
    data_ = new QCheckBox(QString::fromLatin1(ui::kWriteDataBox), pins_);
    clock_ = new QCheckBox(QString::fromLatin1(ui::kClockBox), pins_);
    readData_ = new QCheckBox(QString::fromLatin1(ui::kReadDataBox), pins_);
    pinLayout->addWidget(vpp_, 0, 0);
    pinLayout->addWidget(data_, 1, 0);
    pinLayout->addWidget(clock_, 2, 0);
    pinLayout->addWidget(readData_, 1, 1);
    layout->addWidget(pins_);

    auto* timerGroup = new QGroupBox(QString::fromLatin1(ui::kTimerGroup), this);
    auto* timerLayout = new QVBoxLayout(timerGroup);
    timerLabel_ = new QLabel(QString::fromLatin1(ui::kTimerTestLabel), timerGroup);
    delayButton_ = new QPushButton(QString::fromLatin1(ui::kDelayTestButton), timerGroup);
    delayButton_->setAutoDefault(false);
    timerLayout->addWidget(timerLabel_);
    timerLayout->addWidget(delayButton_, 0, Qt::AlignLeft);
    layout->addWidget(timerGroup);
    layout->addStretch();

    auto* bottom = new QFrame(this);
    bottom->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* bottomLayout = new QHBoxLayout(bottom);
    exit_ = new QPushButton(QString::fromLatin1(ui::kExitButton), bottom);
    bottomLayout->addStretch();
    bottomLayout->addWidget(exit_);
    layout->addWidget(bottom);

    for (QCheckBox* output : {vpp_, data_, clock_})
        connect(output, &QCheckBox::clicked, this, &TForm2::writePins);
    connect(delayButton_, &QPushButton::clicked, this, &TForm2::runDelayTest);
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    timer_.setInterval(kPollMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &TForm2::tick);
    makeFixedDialog(this, 273, 285, MinimizeBox::Shown);
}

void TForm2::setPinGroupEnabled(bool enabled)
{
    pins_->setEnabled(enabled);
}

bool TForm2::pinGroupEnabled() const
{
    return pins_->isEnabled();
}

PinDriver& TForm2::pins() const
{
    return access_.pins();
}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centerOnScreen(this);
    readPolling_ = true;
    timerTest_ = true;
    exit_->setFocus(Qt::OtherFocusReason);
    for (QCheckBox* box : {vpp_, data_, clock_, readData_}) {
        box->setChecked(false);
        box->setEnabled(pinGroupEnabled());
    }
    if (pinGroupEnabled()) {
        writePins();
        readDataIn();
    }
    timer_.start();
}

void TForm2::writePins()
{
    if (!access_.pins().programmerWrite(level(vpp_), level(data_), level(clock_)))
        showError(messages_, ui::kCommWriteError);
}

void TForm2::readDataIn()
{
    std::uint8_t dataIn = 0;
    if (access_.pins().programmerRead(&dataIn)) {
        readData_->setChecked(dataIn != 0);
        return;
    }
    readPolling_ = false;
    showError(messages_, ui::kCommReadError);
}

void TForm2::tick()
{
    const std::int64_t frequency = access_.performanceFrequency();
    if (readPolling_ && pinGroupEnabled())
        readDataIn();
    if (!timerTest_)
        return;
    std::int64_t count = 0;
    // Without a frequency the reading cannot be turned into seconds: a counter fault too.
    if (frequency <= 0 || !access_.readPerformanceCounter(count)) {
        timerTest_ = false;
        showError(messages_, ui::kCounterReadError);
        return;
    }
    const double seconds = static_cast<double>(count) / static_cast<double>(frequency);
    timerLabel_->setText(QString::fromLatin1(ui::kTimerTestPrefix) + QString::number(seconds, 'g', kSignificantDigits)
                         + QString::fromLatin1(ui::kSecondsSuffix));
}

void TForm2::runDelayTest()
{
    delayButton_->setEnabled(false);
    // The user-interface thread is blocked for the whole test, as the delay busy-waits.
    if (!access_.pins().delay(kSettlingUnits))
        showError(messages_, ui::kDelayError);
    else if (!access_.pins().delay(kFiveSecondUnits))
        showError(messages_, ui::kDelayError);
    delayButton_->setEnabled(true);
}

void TForm2::done(int result)
{
    timer_.stop();
    if (pinGroupEnabled() && !access_.pins().programmerWrite(0, 0, 0))
        showError(messages_, ui::kCommWriteError);
    QDialog::done(result);
}

} // namespace velmora
