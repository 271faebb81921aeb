#include "ui/ConfigBitsEditor.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <array>

#include "ui/EditorTexts.h"
#include "ui/RadioGroup.h"

namespace velmora {

namespace {

// PIC18F configuration byte indexes (0x300000 + index) of the protection bits.
constexpr int kConfig5L = 8;   // CPn
constexpr int kConfig5H = 9;   // CPD, CPB
constexpr int kConfig6L = 10;  // WRTn
constexpr int kConfig6H = 11;  // WRTD, WRTB, WRTC
constexpr int kConfig7L = 12;  // EBTRn
constexpr int kConfig7H = 13;  // EBTRB

// Two columns of four keep the ID group as low as the legend beside it allows.
constexpr int kIdFieldsPerColumn = 4;

constexpr std::array kBlockApplies{Applies::Block0, Applies::Block1, Applies::Block2, Applies::Block3};

QByteArray numbered(const char* stem, int block)
{
    return QByteArray(stem) + QByteArray::number(block);
}

} // namespace

ConfigBitsEditor::ConfigBitsEditor(QWidget* parent) : ConfigEditorDialog(parent)
{
    auto* top = new QHBoxLayout;
    left_ = new QVBoxLayout;
    auto* bits = new QGroupBox(QString::fromUtf8(editor::kBitsGroup), this);
    auto* bitsLayout = new QHBoxLayout(bits);
    general_ = new QVBoxLayout;
    protection_ = new QHBoxLayout;
    bitsLayout->addLayout(general_);
    bitsLayout->addLayout(protection_);
    left_->addWidget(bits);
    top->addLayout(left_);
    for (QVBoxLayout*& column : fieldColumns_) {
        column = new QVBoxLayout;
        top->addLayout(column);
    }
    contentLayout()->addLayout(top);
}

void ConfigBitsEditor::finishBitsLayout()
{
    general_->addStretch();
    for (QVBoxLayout* column : fieldColumns_)
        column->addStretch();
    auto* lower = new QHBoxLayout;
    lower->addWidget(createLegend(), 0, Qt::AlignTop);
    lower->addWidget(createIdGroup(kIdFieldsPerColumn), 0, Qt::AlignTop);
    lower->addStretch();
    left_->addLayout(lower);
    left_->addStretch();
    finishLayout();
}

void ConfigBitsEditor::addBorVoltageGroup()
{
    addRadioGroup(fieldColumn(0), editor::kBorVoltageGroup, {2, 0x0C, {0x0C, 0x08, 0x04, 0x00}},
                  {QStringLiteral("VBOR set to 2.0V"), QStringLiteral("VBOR set to 2.7V"),
                   QStringLiteral("VBOR set to 4.2V"), QStringLiteral("VBOR set to 4.5V")},
                  1, Applies::Always);
}

void ConfigBitsEditor::appendProtectionOrder(std::vector<const char*>& order)
{
    order.insert(order.end(), {"CP0", "CP1", "CP2", "CP3", "CPD", "CPB", "WRT0", "WRT1", "WRT2", "WRT3",
                               "WRTD", "WRTB", "WRTC", "EBTR0", "EBTR1", "EBTR2", "EBTR3", "EBTRB"});
}

QCheckBox* ConfigBitsEditor::addBox(QLayout* layout, const char* caption, BitBinding binding, Applies applies)
{
    auto* box = new QCheckBox(QString::fromUtf8(caption), this);
    layout->addWidget(box);
    boxes_.emplace(box->text(), BoundBox{box, binding, applies});
    return box;
}

RadioGroup* ConfigBitsEditor::addRadioGroup(QLayout* layout, const char* caption, FieldBinding binding,
                                            const QStringList& items, int columns, Applies applies)
{
    auto* group = new RadioGroup(QString::fromUtf8(caption), items, columns, this);
    layout->addWidget(group);
    groups_.emplace(group->title(), BoundGroup{group, std::move(binding), applies});
    return group;
}

void ConfigBitsEditor::addProtectionGroups(QLayout* layout)
{
    // Box captions must outlive the call: QByteArray keeps them until addBox copied them.
    auto* cp = new QGroupBox(QString::fromUtf8(editor::kCpGroup), this);
    auto* cpLayout = new QVBoxLayout(cp);
    for (int n = 0; n < 4; ++n)
        addBox(cpLayout, numbered("CP", n).constData(), {kConfig5L, static_cast<std::uint8_t>(1u << n), true}, kBlockApplies[n]);
    addBox(cpLayout, "CPD", {kConfig5H, 0x80, true}, Applies::Always);
    addBox(cpLayout, "CPB", {kConfig5H, 0x40, true}, Applies::Always);

    auto* wrt = new QGroupBox(QString::fromUtf8(editor::kWrtGroup), this);
    auto* wrtLayout = new QVBoxLayout(wrt);
    for (int n = 0; n < 4; ++n)
        addBox(wrtLayout, numbered("WRT", n).constData(), {kConfig6L, static_cast<std::uint8_t>(1u << n), true}, kBlockApplies[n]);
    addBox(wrtLayout, "WRTD", {kConfig6H, 0x80, true}, Applies::Always);
    addBox(wrtLayout, "WRTB", {kConfig6H, 0x40, true}, Applies::Always);
    addBox(wrtLayout, "WRTC", {kConfig6H, 0x20, true}, Applies::Always);

    auto* ebtr = new QGroupBox(QString::fromUtf8(editor::kEbtrGroup), this);
    auto* ebtrLayout = new QVBoxLayout(ebtr);
    for (int n = 0; n < 4; ++n)
        addBox(ebtrLayout, numbered("EBTR", n).constData(), {kConfig7L, static_cast<std::uint8_t>(1u << n), true}, kBlockApplies[n]);
    addBox(ebtrLayout, "EBTRB", {kConfig7H, 0x40, true}, Applies::Always);

    for (QGroupBox* group : {cp, wrt, ebtr}) {
        static_cast<QVBoxLayout*>(group->layout())->addStretch();
        layout->addWidget(group);
    }
}

QWidget* ConfigBitsEditor::createLegend()
{
    auto* legend = new QGroupBox(this);
    auto* layout = new QHBoxLayout(legend);
    auto* disable = new QCheckBox(QString::fromUtf8(editor::kLegendDisable), legend);
    auto* enable = new QCheckBox(QString::fromUtf8(editor::kLegendEnable), legend);
    enable->setChecked(true);
    disable->setEnabled(false);
    enable->setEnabled(false);
    layout->addWidget(disable);
    layout->addWidget(enable);
    return legend;
}

void ConfigBitsEditor::setWriteOrder(std::vector<const char*> captions)
{
    writeOrder_.clear();
    for (const char* caption : captions)
        writeOrder_.push_back(QString::fromUtf8(caption));
}

QCheckBox* ConfigBitsEditor::checkBox(const QString& caption) const
{
    const auto found = boxes_.find(caption);
    return found == boxes_.end() ? nullptr : found->second.box;
}

RadioGroup* ConfigBitsEditor::radioGroup(const QString& caption) const
{
    const auto found = groups_.find(caption);
    return found == groups_.end() ? nullptr : found->second.group;
}

bool ConfigBitsEditor::applies(Applies applies, const SelectedDevice& device)
{
    switch (applies) {
    case Applies::Always: return true;
    case Applies::Ccp2mx: return device.ccp2mxApp;
    case Applies::WaitAndPm: return device.waitAndPmApp;
    case Applies::Block0: return device.cp0App;
    case Applies::Block1: return device.cp1App;
    case Applies::Block2: return device.cp2App;
    case Applies::Block3: return device.cp3App;
    }
    return false;
}

void ConfigBitsEditor::load(const DeviceImage& image)
{
    for (const auto& [caption, bound] : boxes_) {
        const bool enabled = applies(bound.applies, image.device);
        bound.box->setEnabled(enabled);
        bound.box->setChecked(enabled && boxChecked(bound.binding, image.image.config));
    }
    for (const auto& [caption, bound] : groups_) {
        const bool enabled = applies(bound.applies, image.device);
        bound.group->setEnabled(enabled);
        bound.group->setItemIndex(enabled ? fieldItem(bound.binding, image.image.config) : -1);
    }
    loadIds(image.image);
}

void ConfigBitsEditor::writeControl(const QString& caption, const SelectedDevice& device, ConfigBytes& config) const
{
    if (const auto box = boxes_.find(caption); box != boxes_.end()) {
        const BoundBox& bound = box->second;
        // A missing protection block is written too: unchecked, it sets its bits to 1.
        const bool optionalFeature = bound.applies == Applies::Ccp2mx || bound.applies == Applies::WaitAndPm;
        if (!optionalFeature || applies(bound.applies, device))
            writeBox(bound.binding, bound.box->isChecked(), config);
        return;
    }
    if (const auto group = groups_.find(caption); group != groups_.end()) {
        const BoundGroup& bound = group->second;
        if (applies(bound.applies, device))
            writeField(bound.binding, bound.group->itemIndex(), config);
    }
}

void ConfigBitsEditor::writeBack(DeviceImage& image)
{
    for (const QString& caption : writeOrder_)
        writeControl(caption, image.device, image.image.config);
    writeIds(image.image);
}

} // namespace velmora
