#pragma once
// Reads the device until the first byte that is not blank. Program memory, EEPROM and
// IDs are blank at 0xFF; a configuration byte is blank when every bit its mask marks
// reads as 1.

#include "engine/operations/OperationContext.h"

namespace velmora {

enum class BlankCheckResult { Blank, NotBlank, Cancelled, Failed };

class BlankCheck {
public:
    explicit BlankCheck(const OperationContext& context) : s(context) {}
    // Vpp must be on. Cancelled and Failed are recorded in the session.
    BlankCheckResult run();

private:
    enum class Area { Blank, NotBlank, Interrupted };
    Area checkProgramMemory();
    Area checkEeprom();
    Area checkIds();
    Area checkConfiguration();
    // The first non-blank byte: a pause before the result.
    Area foundNotBlank();
    BlankCheckResult interrupted() const;
    // Stops a read at the first byte other than 0xFF.
    ByteVisitor untilNotBlank();
    // An area's result from its read: interrupted, not blank, or blank after its ending.
    Area checked(bool read);

    OperationContext s;
    bool notBlank_ = false;
};

} // namespace velmora
