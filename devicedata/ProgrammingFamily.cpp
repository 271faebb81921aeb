#include "devicedata/ProgrammingFamily.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace velmora {

namespace {

constexpr FamilyFacts jParts(ProgrammingFamily family, std::string_view name, std::string_view document)
{
    return FamilyFacts{.family = family,
                       .name = name,
                       .document = document,
                       .vppLeast = {},
                       .vppLimitMillivolts = std::nullopt,
                       .vddLimitMillivolts = 3600,
                       .pgmPin = {},
                       .keyEntry = true,
                       .highVoltageEntry = false,
                       .configInFlash = true,
                       .idLocations = false};
}

// D110 and the PGM pin from each document's Table 2-1.
constexpr std::array kFamilies{
    FamilyFacts{ProgrammingFamily::Classic, "", "DS39622 and its predecessors", {}, std::nullopt, std::nullopt,
                "RB5", false},
    FamilyFacts{ProgrammingFamily::K22, "K22", "DS41398B", "VDD + 4.5 V", 9000, std::nullopt, {}, true},
    FamilyFacts{ProgrammingFamily::OneXK22, "1XK22", "DS41357B", "8.0 V", 9000, std::nullopt, "RC3", false},
    // A 1.8-3.6 V part.
    FamilyFacts{ProgrammingFamily::K20, "K20", "DS41297D", "VDD + 1.5 V", 9000, 3600, "RB5", false},
    // 2.35-3.6 V parts (D111) with no D110 at all: MCLR only ever sees VDD.
    jParts(ProgrammingFamily::J10, "J10", "DS39687E"),
    jParts(ProgrammingFamily::J2X4X, "J2X4X", "DS39687E"),
    jParts(ProgrammingFamily::J6X8X, "J6X8X", "DS39644G"),
    jParts(ProgrammingFamily::J60, "J60", "DS39688C"),
};

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

const FamilyFacts& factsFor(ProgrammingFamily family)
{
    for (const FamilyFacts& facts : kFamilies) {
        if (facts.family == family)
            return facts;
    }
    return kFamilies.front();
}

std::optional<ProgrammingFamily> familyNamed(std::string_view name)
{
    if (name.empty())
        return std::nullopt;
    for (const FamilyFacts& facts : kFamilies) {
        if (sameIgnoringCase(facts.name, name))
            return facts.family;
    }
    return std::nullopt;
}

} // namespace velmora
