#include "ui/UCfgIDs3.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

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
    row->addWidget(createIdGroup(kFieldsPerColumn), 0, Qt::AlignTop);
    contentLayout()->addLayout(row);
    finishLayout();
}

void TCfgIDs3::load(const DeviceImage& image)
{
    loadIds(image.image);
    for (int i = 0; i < kConfigCount; ++i)
        configEdits_[static_cast<std::size_t>(i)]->setByte(image.image.config[i]);
}

void TCfgIDs3::writeBack(DeviceImage& image)
{
    writeIds(image.image);
    for (int i = 0; i < kConfigCount; ++i)
        image.image.config[i] = configEdits_[static_cast<std::size_t>(i)]->byteValue();
}

} // namespace velmora
