#pragma once
// TCfgIDs3: the raw editor of configuration type 3, fourteen masked hex fields.

#include <array>

#include "ui/ConfigEditorDialog.h"

class QGroupBox;
class QLabel;

namespace velmora {

class TCfgIDs3 : public ConfigEditorDialog {
    Q_OBJECT
public:
    explicit TCfgIDs3(QWidget* parent = nullptr);

    HexByteEdit* configEdit(int index) const { return configEdits_[static_cast<std::size_t>(index)]; }
    QGroupBox* idGroup() const { return idGroup_; }
    QLabel* flashConfigNote() const { return flashConfigNote_; }

protected:
    void load(const DeviceImage& image) override;
    void writeBack(DeviceImage& image) override;

private:
    // Shows the bytes the selected device has: a J part's 8, no IDs, and the note.
    void showDeviceAreas(const SelectedDevice& device);

    std::array<HexByteEdit*, kConfigCount> configEdits_{};
    QGroupBox* idGroup_ = nullptr;
    QLabel* flashConfigNote_ = nullptr;
};

} // namespace velmora
