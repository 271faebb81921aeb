#include "engine/EntryChoice.h"

namespace velmora {

EntryMethod entryMethodFor(EntryWiring wiring, ProgrammingFamily family)
{
    const FamilyFacts& facts = factsFor(family);
    switch (wiring) {
    case EntryWiring::HighVoltage:
        return facts.highVoltageEntry ? EntryMethod::VppLine : EntryMethod::None;
    case EntryWiring::PgmPin:
        return !facts.pgmPin.empty() ? EntryMethod::VppLine : EntryMethod::None;
    case EntryWiring::MclrOnly:
        return facts.keyEntry ? EntryMethod::Key : EntryMethod::None;
    }
    return EntryMethod::None;
}

} // namespace velmora
