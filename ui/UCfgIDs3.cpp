#include "ui/UCfgIDs3.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "devicedata/ConfigLocation.h"
#include "ui/EditorTexts.h"
#include "ui/HexByteEdit.h"

namespace velmora {

namespace {

// Configuration fields 00..07 in the first column, 08..0D in the second; IDs in one.
constexpr int kFieldsPerColumn = 8;

} // namespace

TCfgIDs3::TCfgIDs3(QWidget* parent) : ConfigEditorDialog(parent)
{
    auto* row = new QHBoxLayout;
    row->addWidget(createHexFieldGroup(QString::fromUtf8(editor::kConfigGroup), configEdits_.data(),
                                       kConfigCount, kFieldsPerColumn, this));
    idGroup_ = createIdGroup(kFieldsPerColumn);
    row->addWidget(idGroup_, 0, Qt::AlignTop);
    contentLayout()->addLayout(row);
    flashConfigNote_ = new QLabel(QString::fromUtf8(editor::kFlashConfigNote), this);
    flashConfigNote_->setVisible(false);
    contentLayout()->addWidget(flashConfigNote_);
    finishLayout();
}

void TCfgIDs3::showDeviceAreas(const SelectedDevice& device)
{
    for (int i = 0; i < kConfigCount; ++i)
        configEdits_[static_cast<std::size_t>(i)]->setVisible(i < configByteCount(device));
    idGroup_->setVisible(hasIdLocations(device));
    flashConfigNote_->setVisible(configInFlash(device));
    fitToContents();
}

void TCfgIDs3::load(const DeviceImage& image)
{
    showDeviceAreas(image.device);
    loadIds(image.image);
    for (int i = 0; i < kConfigCount; ++i)
        configEdits_[static_cast<std::size_t>(i)]->setByte(image.image.config[i]);
}

// A J part's IDs and configuration bytes 8 to 13 do not exist: left as they are.
void TCfgIDs3::writeBack(DeviceImage& image)
{
    if (hasIdLocations(image.device))
        writeIds(image.image);
    for (int i = 0; i < configByteCount(image.device); ++i)
        image.image.config[i] = configEdits_[static_cast<std::size_t>(i)]->byteValue();
}

} // namespace velmora
