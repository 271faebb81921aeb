#include "ui/CfgIDs.h"

#include <QVBoxLayout>

#include "ui/EditorTexts.h"

namespace velmora {

TCfgIDs1::TCfgIDs1(QWidget* parent) : ConfigBitsEditor(parent)
{
    QVBoxLayout* general = generalBits();
    addBox(general, "OSCS", {1, 0x20, true}, Applies::Always);
    addBox(general, "BOR", {2, 0x02, false}, Applies::Always);
    addBox(general, "PWRT", {2, 0x01, true}, Applies::Always);
    addBox(general, "WDT", {3, 0x01, false}, Applies::Always);
    addBox(general, editor::kCcp2mx, {5, 0x01, false}, Applies::Ccp2mx);
    addBox(general, "BKBUG", {6, 0x80, true}, Applies::Always);
    addBox(general, "LVP", {6, 0x04, false}, Applies::Always);
    addBox(general, "STVR", {6, 0x01, false}, Applies::Always);
    addProtectionGroups(protection());

    addRadioGroup(fieldColumn(0), editor::kOscillatorGroup, {1, 0x07, {0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0x00}},
                  {QStringLiteral("RC oscillator w/ OSC2 configured as RA6"),
                   QStringLiteral("HS oscillator w/ PLL enabled"),
                   QStringLiteral("EC oscillator w/ OSC2 configured as RA6"),
                   QStringLiteral("EC oscillator w/ OSC2 configured as \"divide by 4 clock output\""),
                   QStringLiteral("RC oscillator"), QStringLiteral("HS oscillator"),
                   QStringLiteral("XT oscillator"), QStringLiteral("LP oscillator")},
                  1, Applies::Always);
    addBorVoltageGroup();
    addRadioGroup(fieldColumn(1), editor::kWdtPostscalerGroup, {3, 0x0E, {0x0E, 0x0C, 0x0A, 0x08, 0x06, 0x04, 0x02, 0x00}},
                  {QStringLiteral("1:128"), QStringLiteral("1:64"), QStringLiteral("1:32"), QStringLiteral("1:16"),
                   QStringLiteral("1:8"), QStringLiteral("1:4"), QStringLiteral("1:2"), QStringLiteral("1:1")},
                  1, Applies::Always);
    finishBitsLayout();

    std::vector<const char*> order{"OSCS", "BOR", "PWRT", "WDT", editor::kCcp2mx, "BKBUG", "LVP", "STVR"};
    appendProtectionOrder(order);
    order.insert(order.end(), {editor::kOscillatorGroup, editor::kBorVoltageGroup, editor::kWdtPostscalerGroup});
    setWriteOrder(order);
}

} // namespace velmora
