#pragma once
// A programmer that takes whole streams, as the FTDI one does, reduced to what a
// test of the layers above needs: every move it is given, and reads answered from
// a script. Its single-call side only notes the moves too.

#include "corvant/BackendTable.h"
#include "corvant/PinStream.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace corvant::test {

struct StreamRecord {
    std::vector<PinMove> moves;      // every move, single calls included, in order
    std::size_t streams = 0;         // run() calls
    std::deque<std::uint8_t> dataIn; // levels for the next reads; then 0
    bool failStreams = false;
};

class FakeStreamingBackend final : public PinBackend, public StreamingBackend {
public:
    explicit FakeStreamingBackend(StreamRecord& record) : record_(record) {}

    bool setVpp(bool on) override { return note({.kind = PinMoveKind::Vpp, .vpp = on}); }
    bool setDataClock(bool data, bool clock) override
    {
        return note({.kind = PinMoveKind::DataClock, .data = data, .clock = clock});
    }
    bool read(std::uint8_t& level) override
    {
        level = nextLevel();
        return true;
    }
    bool close() override { return true; }
    std::string describe() const override { return "fake streaming programmer"; }
    StreamingBackend* streaming() override { return this; }

    bool run(std::span<const PinMove> moves, std::span<std::uint8_t> levels) override
    {
        ++record_.streams;
        if (record_.failStreams)
            return false;
        std::size_t read = 0;
        for (const PinMove& move : moves) {
            note(move);
            if (move.kind == PinMoveKind::Read)
                levels[read++] = nextLevel();
        }
        return true;
    }

private:
    bool note(const PinMove& move)
    {
        record_.moves.push_back(move);
        return true;
    }
    std::uint8_t nextLevel()
    {
        if (record_.dataIn.empty())
            return 0;
        const std::uint8_t level = record_.dataIn.front();
        record_.dataIn.pop_front();
        return level;
    }

    StreamRecord& record_;
};

// Any "FTDI:" port opens the fake on `record`.
inline BackendTable fakeStreamingTable(StreamRecord& record)
{
    return {{PortKind::Ftdi, [&record](const std::string&, std::string&) -> std::unique_ptr<PinBackend> {
                 return std::make_unique<FakeStreamingBackend>(record);
             }}};
}

} // namespace corvant::test
