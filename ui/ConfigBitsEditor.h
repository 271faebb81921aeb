#pragma once
// The check-box-and-radio-group editors of configuration types 1 and 2. Each control is
// bound to configuration bits; some apply only when the device's flags say so.

#include <QString>

#include <map>
#include <vector>

#include "ui/ConfigBinding.h"
#include "ui/ConfigEditorDialog.h"

class QCheckBox;
class QHBoxLayout;
class QLayout;
class QVBoxLayout;

namespace velmora {

class RadioGroup;

enum class Applies { Always, Ccp2mx, WaitAndPm, Block0, Block1, Block2, Block3 };

class ConfigBitsEditor : public ConfigEditorDialog {
    Q_OBJECT
public:
    QCheckBox* checkBox(const QString& caption) const;
    RadioGroup* radioGroup(const QString& caption) const;

protected:
    explicit ConfigBitsEditor(QWidget* parent);

    QCheckBox* addBox(QLayout* layout, const char* caption, BitBinding binding, Applies applies);
    RadioGroup* addRadioGroup(QLayout* layout, const char* caption, FieldBinding binding,
                              const QStringList& items, int columns, Applies applies);
    // The three protection groups (CPX, WRTX, EBTRX) in the given layout.
    void addProtectionGroups(QLayout* layout);
    // Adds the legend, the ID group and OK/Cancel below the bit controls.
    void finishBitsLayout();
    void addBorVoltageGroup();
    // CP0 .. EBTRB in their write-back order.
    static void appendProtectionOrder(std::vector<const char*>& order);

    QVBoxLayout* generalBits() const { return general_; }
    QHBoxLayout* protection() const { return protection_; }
    // The radio groups stand in two columns beside the bits, read top to bottom and
    // then left to right, so that the editor stays low enough for a small screen.
    QVBoxLayout* fieldColumn(int column) const { return fieldColumns_[column]; }
    // Captions of the bound controls in the order OK writes them back.
    void setWriteOrder(std::vector<const char*> captions);

    void load(const DeviceImage& image) override;
    void writeBack(DeviceImage& image) override;

private:
    struct BoundBox {
        QCheckBox* box;
        BitBinding binding;
        Applies applies;
    };
    struct BoundGroup {
        RadioGroup* group;
        FieldBinding binding;
        Applies applies;
    };

    static bool applies(Applies applies, const SelectedDevice& device);
    void writeControl(const QString& caption, const SelectedDevice& device, ConfigBytes& config) const;

    QWidget* createLegend();

    QVBoxLayout* left_ = nullptr;
    QVBoxLayout* general_ = nullptr;
    QHBoxLayout* protection_ = nullptr;
    QVBoxLayout* fieldColumns_[2]{};
    std::map<QString, BoundBox> boxes_;
    std::map<QString, BoundGroup> groups_;
    std::vector<QString> writeOrder_;
};

} // namespace velmora
