#pragma once
// TCfgIDs3: the raw editor of configuration type 3, fourteen masked hex fields.

#include <array>

#include "ui/ConfigEditorDialog.h"

namespace velmora {

class TCfgIDs3 : public ConfigEditorDialog {
    Q_OBJECT
public:
    explicit TCfgIDs3(QWidget* parent = nullptr);

    HexByteEdit* configEdit(int index) const { return configEdits_[static_cast<std::size_t>(index)]; }

protected:
    void load(const DeviceImage& image) override;
    void writeBack(DeviceImage& image) override;

private:
    std::array<HexByteEdit*, kConfigCount> configEdits_{};
};

} // namespace velmora
