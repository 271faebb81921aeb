#pragma once
// TPrgConfig, "Programming configuration": the engine's seven options as check boxes.
// The blank-check box is never shown but carries its option through unchanged.

#include <QDialog>

#include "devicedata/DeviceRecord.h"
#include "engine/ProgrammingOptions.h"

class QCheckBox;
class QPushButton;

namespace velmora {

class TPrgConfig : public QDialog {
    Q_OBJECT
public:
    explicit TPrgConfig(QWidget* parent = nullptr);

    // Modal; on OK all seven boxes are copied back into options. True on OK. The EEPROM
    // and IDs boxes are disabled for a device that has neither (a J part); they keep
    // their options for the other devices.
    bool EditProgrammingOptions(ProgrammingOptions& options, const SelectedDevice& device);

    QCheckBox* blankCheckBox() const { return blankCheck_; }
    QCheckBox* multiPanelBox() const { return multiPanel_; }
    QCheckBox* fastVerifyBox() const { return fastVerify_; }
    QCheckBox* programMemoryBox() const { return programMemory_; }
    QCheckBox* eepromBox() const { return eeprom_; }
    QCheckBox* idsBox() const { return ids_; }
    QCheckBox* configurationBox() const { return configuration_; }
    QPushButton* okButton() const { return ok_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showDeviceAreas(const SelectedDevice& device);

    QCheckBox* blankCheck_ = nullptr;
    QCheckBox* multiPanel_ = nullptr;
    QCheckBox* fastVerify_ = nullptr;
    QCheckBox* programMemory_ = nullptr;
    QCheckBox* eeprom_ = nullptr;
    QCheckBox* ids_ = nullptr;
    QCheckBox* configuration_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace velmora
