#include "ui/CSConfig.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "devicedata/IntegerText.h"
#include "devicedata/UserMessages.h"
#include "ui/DialogFrame.h"
#include "ui/RadioGroup.h"
#include "ui/UiTexts.h"

namespace velmora {

namespace {

constexpr std::int32_t kLargestWord = 0xFFFF;

bool isWordValue(const QString& text)
{
    const auto value = ParseInteger(text.toStdString());
    return value.has_value() && *value >= 0 && *value <= kLargestWord;
}

} // namespace

TCSCfg::TCSCfg(UserMessages& messages, QWidget* parent) : QDialog(parent), messages_(messages)
{
    setWindowTitle(QString::fromLatin1(ui::kChecksumCaption));
    auto* layout = new QVBoxLayout(this);
    enable_ = new QCheckBox(QString::fromLatin1(ui::kChecksumEnableBox), this);
    layout->addWidget(enable_);
    auto* warnRow = new QHBoxLayout;
    warn_ = new QCheckBox(QString::fromLatin1(ui::kChecksumWarnBox), this);
    warnValue_ = new QLineEdit(QStringLiteral("0x0000"), this);
    warnValue_->setMaximumWidth(warnValue_->fontMetrics().horizontalAdvance(QStringLiteral("0x00000")) + 16);
    warnRow->addWidget(warn_);
    warnRow->addWidget(warnValue_);
    warnRow->addStretch();
    layout->addLayout(warnRow);
    type_ = new RadioGroup(QString::fromLatin1(ui::kChecksumTypeGroup),
                           {QString::fromLatin1(ui::kChecksumSimpleSum), QString::fromLatin1(ui::kChecksumAdditionToZero)},
                           1, this);
    layout->addWidget(type_);
    ok_ = addOkCancelRow(this, layout);
    connect(enable_, &QCheckBox::clicked, this, &TCSCfg::applyEnabling);
    connect(warn_, &QCheckBox::clicked, this, &TCSCfg::applyEnabling);
    warnValue_->installEventFilter(this);
    makeFixedDialog(this, 297, 157, MinimizeBox::Shown);
}

bool TCSCfg::EditChecksumSettings(ChecksumSettings& settings)
{
    enable_->setChecked(settings.enabled);
    warn_->setChecked(settings.warnEnabled);
    warnValue_->setText(QString::fromStdString(settings.warnValue));
    type_->setItemIndex(settings.type);
    applyEnabling();
    if (exec() != QDialog::Accepted)
        return false;
    settings.enabled = enable_->isChecked();
    settings.warnEnabled = warn_->isChecked();
    settings.warnValue = warnValue_->text().toStdString();
    settings.type = type_->itemIndex();
    return true;
}

void TCSCfg::applyEnabling()
{
    warn_->setEnabled(enable_->isChecked());
    warnValue_->setEnabled(enable_->isChecked() && warn_->isChecked());
    type_->setEnabled(enable_->isChecked());
}

void TCSCfg::validateWarnValue()
{
    if (isWordValue(warnValue_->text()))
        return;
    showError(messages_, ui::kWarnValueInvalid);
    if (warnValue_->isEnabled() && warnValue_->isVisible())
        warnValue_->setFocus(Qt::OtherFocusReason);
}

bool TCSCfg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == warnValue_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Focus that goes to another window (the error box, a menu) is not leaving the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            QTimer::singleShot(0, this, &TCSCfg::validateWarnValue);
    }
    return QDialog::eventFilter(watched, event);
}

void TCSCfg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centerOnScreen(this);
    ok_->setFocus(Qt::OtherFocusReason);
}

} // namespace velmora
