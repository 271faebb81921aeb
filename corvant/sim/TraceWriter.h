#pragma once
// Writes a simulated chip's activity to a text file, one line per decoded command,
// violation, programming-mode change or internal event. The format is described in
// sim/README.md.

#include <cstdio>
#include <filesystem>
#include <string>

#include "sim/SimObserver.h"

namespace velmora::sim {

class TraceWriter final : public SimObserver {
public:
    TraceWriter() = default;
    TraceWriter(const TraceWriter&) = delete;
    TraceWriter& operator=(const TraceWriter&) = delete;
    ~TraceWriter() override;

    // Truncates the file and writes the header line.
    bool open(const std::filesystem::path& path, std::string_view chipName);
    bool close();

    void programModeChanged(SimTime time, bool entered, Entry entry) override;
    void pgmChanged(SimTime time, bool high) override;
    void commandDecoded(const DecodedCommand& command) override;
    void violationRecorded(const Violation& violation) override;
    void noted(SimTime time, std::string_view text) override;

private:
    void line(SimTime time, const std::string& text);

    std::FILE* file_ = nullptr;
};

// One trace line without its time: "1001 -> 5A", "0000 0E3C", "! P9 ...".
std::string traceText(const DecodedCommand& command);
std::string traceText(const Violation& violation);

} // namespace velmora::sim
