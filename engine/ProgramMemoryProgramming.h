#pragma once
// Writes the image's program memory into the erased device by the method the device
// and the options select, then reads it back. Fails at the first difference.

#include <cstdint>

#include "engine/ProgrammingOptions.h"
#include "engine/operations/OperationContext.h"

namespace velmora {

class ProgramMemoryProgramming {
public:
    explicit ProgramMemoryProgramming(const OperationContext& context) : s(context) {}
    bool run();

    using Method = ProgramMemoryMethod;
    // The failure message when the method cannot divide a program memory of this size
    // into its units, nullptr when it can. Also used to check a database up front.
    static const char* sizeMisfit(Method method, std::uint32_t programSize, std::int32_t writeBufferSize);
    // The same for the selected device with these options (nullptr also when program
    // memory is not among the areas). Program asks it after the erase; the front ends
    // ask it first, so that a misfit costs the chip nothing.
    static const char* misfitFor(const DeviceImage& data, const ProgrammingOptions& options);

private:
    bool checkSize();
    bool enterPanelMode(std::uint16_t mode);
    bool writeMultiPanel();
    bool writeSinglePanel();
    bool writeBuffers();
    // Check, address posting with the word marker, the table write of the word at address.
    bool loadWord(IcspCommand command, Address address);
    // The last word of a block with 1111, then the programming pulse.
    bool programWord(Address address);
    bool allBlank(Address first, std::uint32_t count) const;
    // What the write puts at a flash address: the code, or above it the configuration
    // words under their masks; FFh for an area the options leave out.
    std::uint8_t flashByte(Address address) const;
    bool endWriting();
    bool verify();
    bool verifyCode();

    OperationContext s;
};

} // namespace velmora
