#include "ui/PrgCfg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "devicedata/ConfigLocation.h"
#include "ui/DialogFrame.h"
#include "ui/UiTexts.h"

namespace velmora {

namespace {

QCheckBox* addBox(QGroupBox* group, const char* caption, const char* hint = nullptr)
{
    auto* box = new QCheckBox(QString::fromLatin1(caption), group);
    if (hint != nullptr)
        box->setToolTip(QString::fromLatin1(hint));
    group->layout()->addWidget(box);
    return box;
}

} // namespace

TPrgConfig::TPrgConfig(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromLatin1(ui::kProgrammingCaption));
    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;

    auto* programming = new QGroupBox(QString::fromLatin1(ui::kProgrammingGroup), this);
    new QVBoxLayout(programming);
    blankCheck_ = addBox(programming, ui::kBlankCheckBox);
    blankCheck_->setVisible(false);
    multiPanel_ = addBox(programming, ui::kMultiPanelBox, ui::kMultiPanelHint);
    fastVerify_ = addBox(programming, ui::kFastVerifyBox, ui::kFastVerifyHint);
    static_cast<QVBoxLayout*>(programming->layout())->addStretch();

    auto* areas = new QGroupBox(QString::fromLatin1(ui::kAreasGroup), this);
    areas->setToolTip(QString::fromLatin1(ui::kAreasHint));
    new QVBoxLayout(areas);
    programMemory_ = addBox(areas, ui::kProgramMemoryBox);
    eeprom_ = addBox(areas, ui::kEepromBox);
    ids_ = addBox(areas, ui::kIdsBox);
    configuration_ = addBox(areas, ui::kConfigurationBox);

    groups->addWidget(programming);
    groups->addWidget(areas);
    layout->addLayout(groups);
    ok_ = addOkCancelRow(this, layout);
    makeFixedDialog(this, 346, 149, MinimizeBox::Shown);
}

void TPrgConfig::showDeviceAreas(const SelectedDevice& device)
{
    const bool applies = !configInFlash(device);
    const QString hint = applies ? QString() : QString::fromLatin1(ui::kNoEepromNoIdsHint);
    for (QCheckBox* box : {eeprom_, ids_}) {
        box->setEnabled(applies);
        box->setToolTip(hint);
    }
}

bool TPrgConfig::EditProgrammingOptions(ProgrammingOptions& options, const SelectedDevice& device)
{
    showDeviceAreas(device);
    blankCheck_->setChecked(options.blankCheckBeforeErase);
    multiPanel_->setChecked(options.multiPanelWrite);
    fastVerify_->setChecked(options.fastVerify);
    programMemory_->setChecked(options.programMemory);
    eeprom_->setChecked(options.eeprom);
    ids_->setChecked(options.ids);
    configuration_->setChecked(options.configuration);
    if (exec() != QDialog::Accepted)
        return false;
    options.blankCheckBeforeErase = blankCheck_->isChecked();
    options.multiPanelWrite = multiPanel_->isChecked();
    options.fastVerify = fastVerify_->isChecked();
    options.programMemory = programMemory_->isChecked();
    options.eeprom = eeprom_->isChecked();
    options.ids = ids_->isChecked();
    options.configuration = configuration_->isChecked();
    return true;
}

void TPrgConfig::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centerOnScreen(this);
}

} // namespace velmora
