#include "ui/UCfgIDs2.h"

#include <QVBoxLayout>

#include "ui/EditorTexts.h"

namespace velmora {

TCfgIDs2::TCfgIDs2(QWidget* parent) : ConfigBitsEditor(parent)
{
    QVBoxLayout* general = generalBits();
    addBox(general, "OSCS", {1, 0x20, true}, Applies::Always);
    addBox(general, "BOR", {2, 0x02, false}, Applies::Always);
    addBox(general, "PWRT", {2, 0x01, true}, Applies::Always);
    addBox(general, "WDT", {3, 0x01, false}, Applies::Always);
    addBox(general, "WAIT", {4, 0x80, false}, Applies::WaitAndPm);
    addBox(general, "MCLRE", {5, 0x80, false}, Applies::Always);
    addBox(general, "BKBUG", {6, 0x80, true}, Applies::Always);
    addBox(general, "LVP", {6, 0x04, false}, Applies::Always);
    addBox(general, "STVR", {6, 0x01, false}, Applies::Always);
    addProtectionGroups(protection());

    addRadioGroup(fieldColumn(0), editor::kOscillatorGroup,
                  {1, 0x0F, {0x0F, 0x0E, 0x0D, 0x0C, 0x0B, 0x0A, 0x09, 0x08,
                             0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0x00}},
                  {QStringLiteral("RC with OSC2 as RA6"), QStringLiteral("HS with SW controlled PLL"),
                   QStringLiteral("EC,OSC2 as RA6,SW ctrl PLL"), QStringLiteral("EC,OSC2 as RA6,PLL enabled"),
                   QStringLiteral("Reserved"), QStringLiteral("Reserved"), QStringLiteral("Reserved"),
                   QStringLiteral("Reserved"), QStringLiteral("RC with OSC2 as RA6"),
                   QStringLiteral("HS with PLL enabled"), QStringLiteral("EC with OSC2 as RA6"),
                   QString::fromUtf8("EC,OSC2 as \u201Cdiv. by 4 clk out\u201D"), QStringLiteral("RC"),
                   QStringLiteral("HS"), QStringLiteral("XT"), QStringLiteral("LP")},
                  2, Applies::Always);
    addBorVoltageGroup();
    addRadioGroup(fieldColumn(1), editor::kWdtPostscalerGroup,
                  {3, 0x1E, {0x1E, 0x1C, 0x1A, 0x18, 0x16, 0x14, 0x12, 0x10,
                             0x0E, 0x0C, 0x0A, 0x08, 0x06, 0x04, 0x02, 0x00}},
                  {QStringLiteral("1:32768"), QStringLiteral("1:16384"), QStringLiteral("1:8192"),
                   QStringLiteral("1:4096"), QStringLiteral("1:2048"), QStringLiteral("1:1024"),
                   QStringLiteral("1:512"), QStringLiteral("1:256"), QStringLiteral("1:128"),
                   QStringLiteral("1:64"), QStringLiteral("1:32"), QStringLiteral("1:16"), QStringLiteral("1:8"),
                   QStringLiteral("1:4"), QStringLiteral("1:2"), QStringLiteral("1:1")},
                  2, Applies::Always);
    addRadioGroup(fieldColumn(1), editor::kProcessorModeGroup, {4, 0x03, {0x03, 0x02, 0x01, 0x00}},
                  {QStringLiteral("Microcontroller mode"), QStringLiteral("Microprocessor mode"),
                   QStringLiteral("Microprocessor with Boot Block mode"),
                   QStringLiteral("Extended Microcontroller mode")},
                  1, Applies::WaitAndPm);
    finishBitsLayout();

    std::vector<const char*> order{"OSCS", "BOR", "PWRT", "WDT", "WAIT", editor::kProcessorModeGroup,
                                   "BKBUG", "LVP", "STVR"};
    appendProtectionOrder(order);
    order.push_back("MCLRE");
    order.insert(order.end(), {editor::kOscillatorGroup, editor::kBorVoltageGroup, editor::kWdtPostscalerGroup});
    setWriteOrder(order);
}

} // namespace velmora
