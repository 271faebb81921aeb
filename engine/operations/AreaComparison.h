#pragma once
// How a byte read from the device compares with the image, per area, and the
// read-back that follows writing the ID and configuration areas.

#include <cstdint>
#include <functional>

#include "devicedata/MemoryImage.h"
#include "engine/DifferenceReport.h"
#include "engine/operations/OperationContext.h"

namespace velmora {

struct Comparison {
    std::uint8_t device;     // the value reported as read from the device
    std::uint8_t expected;   // what the device must hold
    std::uint8_t image;      // the image byte reported as the computer's value
    bool differs() const { return device != expected; }
};

// Configuration bytes compare by their effective values (value AND mask) OR set mask,
// and report the image byte unmasked; other areas compare as they are.
Comparison compareByte(const MemoryImage& image, MemoryArea area, std::uint32_t index, std::uint8_t read);

// Fails the operation at the first byte that differs from the image, with the
// programming mismatch text; base + index is the address reported.
ByteVisitor failAtDifference(const OperationContext& c, MemoryArea area, Address base);

// The read-back after writing IDs or configuration: table-pointer set-up to base, then
// each byte compared; the first difference fails with the programming mismatch text.
bool verifyWrittenArea(const OperationContext& c, MemoryArea area, Address base, std::uint32_t count);

// The two phases of a small area (IDs, configuration): the write under writeAction,
// the 300 ms pause, then the read-back under verifyAction and its pause.
bool writeAndVerifyArea(const OperationContext& c, const char* writeAction, const std::function<bool()>& write,
                        const char* verifyAction, MemoryArea area, Address base, std::uint32_t count);

} // namespace velmora
