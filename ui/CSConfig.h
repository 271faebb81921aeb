#pragma once
// TCSCfg, "Checksum configuration": the four checksum settings. The warning box is
// usable only with the checksum on, the value field only with both boxes on; the value
// is checked (an integer from 0 to FFFF) when the focus leaves it.

#include <QDialog>

#include "hexfile/ChecksumSettings.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace velmora {

class RadioGroup;
class UserMessages;

class TCSCfg : public QDialog {
    Q_OBJECT
public:
    explicit TCSCfg(UserMessages& messages, QWidget* parent = nullptr);

    // Modal; on OK the four values are copied back (the warn value as typed). True on OK.
    bool EditChecksumSettings(ChecksumSettings& settings);

    QCheckBox* CSEnCheckBox() const { return enable_; }
    QCheckBox* CSWarnCheckBox() const { return warn_; }
    QLineEdit* WarnValEdit() const { return warnValue_; }
    RadioGroup* CSTypeRadioGroup() const { return type_; }
    QPushButton* okButton() const { return ok_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void applyEnabling();
    void validateWarnValue();

    UserMessages& messages_;
    QCheckBox* enable_ = nullptr;
    QCheckBox* warn_ = nullptr;
    QLineEdit* warnValue_ = nullptr;
    RadioGroup* type_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace velmora
