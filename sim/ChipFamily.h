#pragma once
// The two programming generations the simulated chips belong to. They differ in how
// program memory is buffered, which erase keys they take and in some timing.

namespace velmora::sim {

enum class ChipFamily {
    // PIC18FXX2/XX8, 1220/2220, 2331, 6X20/8X20, 6585/6680: an 8-byte holding register
    // per 8 KB panel, single- and multi-panel writes chosen at 3C0006h, erase key at
    // 3C0004h only, 1110 = table write with post-decrement.
    PanelWrite,
    // PIC18F2XXX/4XXX: one write buffer of 8..64 bytes, erase keys at 3C0005h:3C0004h,
    // 1110 = table write, start programming, post-increment.
    BufferWrite,
};

} // namespace velmora::sim
