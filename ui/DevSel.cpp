#include "ui/DevSel.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "devicedata/DeviceList.h"
#include "ui/DialogFrame.h"
#include "ui/UiTexts.h"

namespace velmora {

TForm4::TForm4(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromLatin1(ui::kDeviceSelectCaption));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromLatin1(ui::kDeviceLabel), this));
    list_ = new QListWidget(this);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(this);
    select_ = buttons->addButton(QString::fromLatin1(ui::kSelectButton), QDialogButtonBox::AcceptRole);
    buttons->addButton(QString::fromLatin1(ui::kCancel), QDialogButtonBox::RejectRole);
    select_->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    list_->installEventFilter(this);
    makeFixedDialog(this, 181, 219, MinimizeBox::Shown);
}

void TForm4::fillDevices(DeviceList& devices)
{
    list_->clear();
    if (devices.Count() == 0)
        return;
    devices.MoveTo(0);
    for (std::int32_t i = 0; i + 1 < devices.Count(); ++i)
        list_->addItem(QString::fromStdString(devices.CopyCurrentAndAdvance().name));
    list_->addItem(QString::fromStdString(devices.CopyCurrent().name));
}

bool TForm4::ChooseDevice(std::int32_t& selectedIndex)
{
    list_->setCurrentRow(selectedIndex >= 0 && selectedIndex < list_->count() ? selectedIndex : -1);
    if (exec() != QDialog::Accepted)
        return false;
    selectedIndex = list_->currentRow() >= 0 && list_->currentItem()->isSelected() ? list_->currentRow() : 0;
    return true;
}

bool TForm4::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm4::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centerOnScreen(this);
    list_->setFocus(Qt::OtherFocusReason);
}

} // namespace velmora
