#pragma once
// A test run on a smaller part of the family: one shipped section with less program
// memory (the entry, the family's steps and the areas beyond flash stay as shipped),
// so that a run reads and verifies a few rows in real time instead of a whole chip. The
// programs written to it must lie within its flash.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace velmora::test {

// False when the shipped database has no section named device.
inline bool writeTrimmedDatabase(const std::filesystem::path& shipped, const std::string& device,
                                 std::uint32_t progMemSize, const std::filesystem::path& to)
{
    std::ifstream in(shipped);
    std::ofstream out(to);
    bool inSection = false;
    bool found = false;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("["))
            inSection = line == "[" + device + "]";
        if (!inSection)
            continue;
        found = true;
        out << (line.starts_with("ProgMemSize=") ? "ProgMemSize=" + std::to_string(progMemSize) : line) << "\n";
    }
    return found;
}

// One record of a test program put elsewhere, so that the program fits a smaller part.
struct MovedRecord {
    const char* from = nullptr;
    const char* to = nullptr;
};

// pic18f45k22-key.hex keeps its second row at 4000h so that more than one block is
// written; at 1000h that row lies in the flash of the family's 8 KB part.
inline constexpr MovedRecord kK22SecondRowInto8K{":04400000A55A3CC3BE", ":04100000A55A3CC3EE"};

// A copy of the HEX file with the record moved (when one is given); false when the file
// does not hold it.
inline bool writeWithRecordMoved(const std::filesystem::path& from, const MovedRecord& move,
                                 const std::filesystem::path& to)
{
    std::ifstream in(from, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string program = text.str();
    if (move.from != nullptr) {
        const std::size_t at = program.find(move.from);
        if (at == std::string::npos)
            return false;
        program.replace(at, std::string(move.from).size(), move.to);
    }
    std::ofstream(to, std::ios::binary) << program;
    return true;
}

} // namespace velmora::test
