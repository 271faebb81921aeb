#pragma once
// The seven options the operations read. Changed only while no operation runs
// (the "Programming configuration" dialog), so they need no synchronisation.

namespace velmora {

struct ProgrammingOptions {
    // Never saved: forced off at every start-up.
    bool blankCheckBeforeErase = false;
    bool multiPanelWrite = false;     // MultiPanelWrite
    bool fastVerify = true;           // FastVerify
    bool programMemory = true;        // PRVProgramMemory
    bool eeprom = true;               // PRVEEPROM
    bool ids = true;                  // PRVIDs
    bool configuration = true;        // PRVConfiguration
};

} // namespace velmora
