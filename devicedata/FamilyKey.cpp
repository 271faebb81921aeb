#include "devicedata/FamilyKey.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "devicedata/DeviceDataMessages.h"
#include "devicedata/IniSyntax.h"
#include "devicedata/WriteStrategy.h"

namespace velmora {

namespace {

using enum ProgrammingFamily;

// DS41398B Table 3-4, DS41357B Table 4-4, DS41297D Table 3-4 and §3.2 of DS39687E,
// DS39644G and DS39688C for the write buffers; gputils' program and EEPROM ranges for
// the sizes. A J part's size is its whole flash, configuration words included.
constexpr FamilyPartSizes kPartSizes[] = {
    {K22, 8192, 256, 64},     {K22, 16384, 256, 64},     {K22, 32768, 256, 64},     {K22, 65536, 1024, 64},
    {OneXK22, 8192, 256, 8},  {OneXK22, 16384, 256, 16},
    {K20, 8192, 256, 8},      {K20, 16384, 256, 32},     {K20, 32768, 256, 32},     {K20, 65536, 1024, 64},
    {J10, 16384, 0, 64},      {J10, 32768, 0, 64},
    {J2X4X, 16384, 0, 64},    {J2X4X, 32768, 0, 64},     {J2X4X, 65536, 0, 64},     {J2X4X, 131072, 0, 64},
    {J6X8X, 8192, 0, 64},     {J6X8X, 16384, 0, 64},     {J6X8X, 32768, 0, 64},     {J6X8X, 49152, 0, 64},
    {J6X8X, 65536, 0, 64},    {J6X8X, 98304, 0, 64},     {J6X8X, 131072, 0, 64},
    {J60, 65536, 0, 64},      {J60, 98304, 0, 64},       {J60, 131072, 0, 64},
};

// The most EEPROM that EEADR alone addresses.
constexpr std::int32_t kShortAddressReach = 256;

constexpr auto kFamilyWriteStrategy = WriteStrategy::Buffers;
constexpr std::int32_t kFamilyConfigType = 3;

std::vector<std::string_view> familyNames()
{
    std::vector<std::string_view> names;
    for (const FamilyPartSizes& row : kPartSizes) {
        const std::string_view name = factsFor(row.family).name;
        if (std::ranges::find(names, name) == names.end())
            names.push_back(name);
    }
    return names;
}

std::vector<FamilyPartSizes> partsOf(ProgrammingFamily family)
{
    std::vector<FamilyPartSizes> parts;
    std::ranges::copy_if(kPartSizes, std::back_inserter(parts),
                         [family](const FamilyPartSizes& row) { return row.family == family; });
    return parts;
}

// The key whose value no part of the family has, given the keys before it; empty when one fits.
std::string_view misfitSizeKey(const DeviceRecord& record, const std::vector<FamilyPartSizes>& parts)
{
    const auto has = [&](auto matches) { return std::ranges::any_of(parts, matches); };
    if (!has([&](const FamilyPartSizes& p) { return p.programMemorySize == record.programMemorySize; }))
        return "ProgMemSize";
    if (!has([&](const FamilyPartSizes& p) {
            return p.programMemorySize == record.programMemorySize && p.eepromSize == record.eepromSize;
        }))
        return "EEPROMDataMemSize";
    if (!has([&](const FamilyPartSizes& p) {
            return p.programMemorySize == record.programMemorySize && p.eepromSize == record.eepromSize
                && p.writeBufferSize == record.writeBufferSize;
        }))
        return "WriteBufferSize";
    return {};
}

void markProblem(DeviceRecord& record, std::string_view key, std::string problem)
{
    record.familyProblemKey = IniLowerCased(key);
    record.familyProblem = std::move(problem);
}

void checkAgainstFamily(DeviceRecord& record)
{
    const std::string_view name = factsFor(record.family).name;
    if (record.writeStrategy != kFamilyWriteStrategy) {
        markProblem(record, "WriteStrategy",
                    FamilyNeedsProblem(name, "WriteStrategy", static_cast<std::int32_t>(kFamilyWriteStrategy)));
        return;
    }
    if (record.configType != kFamilyConfigType) {
        markProblem(record, "Config", FamilyNeedsProblem(name, "Config", kFamilyConfigType));
        return;
    }
    const auto parts = partsOf(record.family);
    if (const std::string_view key = misfitSizeKey(record, parts); !key.empty()) {
        markProblem(record, key, FamilySizesProblem(record, parts));
        return;
    }
    const bool longAddresses = record.eepromSize > kShortAddressReach;
    if (record.longEEAddr != longAddresses)
        markProblem(record, "LongEEAddr", FamilyLongEEAddrProblem(name, record.eepromSize, longAddresses));
}

} // namespace

void ReadFamilyKey(const IniFile& ini, const std::string& section, DeviceRecord& record)
{
    record.family = ProgrammingFamily::Classic;
    record.familyProblemKey.clear();
    record.familyProblem.clear();
    if (!ini.hasKey(section, kFamilyKey))
        return;
    const std::string value = ini.getString(section, kFamilyKey, "");
    const auto family = familyNamed(value);
    if (!family) {
        markProblem(record, kFamilyKey, FamilyUnknownProblem(value, familyNames()));
        return;
    }
    record.family = *family;
    checkAgainstFamily(record);
}

} // namespace velmora
