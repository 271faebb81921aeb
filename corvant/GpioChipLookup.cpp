#include "corvant/GpioChipLookup.h"

#include <algorithm>
#include <cerrno>
#include <set>

namespace corvant {
namespace {

bool allDigits(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A plain name in the device folder: no separator and no way out of the folder.
bool plainName(const std::string& text)
{
    return !text.empty() && text != "." && text != ".." && text.find('/') == std::string::npos;
}

std::unique_ptr<GpioChip> openFile(GpioChips& chips, const std::string& path, GpioDeviceFile& device, int& error)
{
    const auto found = chips.deviceFiles().gpioChip(path, error);
    if (!found)
        return nullptr;
    device = *found;
    return chips.open(device, error);
}

// Every GPIO chip in the device folder, each once however many names it has.
std::unique_ptr<GpioChip> openByLabel(GpioChips& chips, const std::string& label, GpioDeviceFile& device,
                                      int& error)
{
    GpioDeviceFiles& files = chips.deviceFiles();
    std::set<std::uint64_t> seen;
    for (const std::string& name : files.names()) {
        int ignored = 0;
        const auto found = files.gpioChip(files.folder() + "/" + name, ignored);
        if (!found || !seen.insert(found->number).second)
            continue;
        auto chip = chips.open(*found, ignored);
        if (chip && chip->label() == label) {
            device = *found;
            return chip;
        }
    }
    error = ENOENT;
    return nullptr;
}

} // namespace

std::unique_ptr<GpioChip> openGpioChip(GpioChips& chips, const std::string& name, GpioDeviceFile& device,
                                       int& error)
{
    error = 0;
    if (name.starts_with("/"))
        return openFile(chips, name, device, error);
    const std::string folder = chips.deviceFiles().folder() + "/";
    if (allDigits(name))
        return openFile(chips, folder + "gpiochip" + name, device, error);
    int nameError = ENOENT;
    if (plainName(name)) {
        auto chip = openFile(chips, folder + name, device, nameError);
        if (chip || (nameError != ENOENT && nameError != ENOTTY)) {
            error = nameError;
            return chip;
        }
    }
    auto chip = openByLabel(chips, name, device, error);
    // "ttyS0" is no label either: say that the file it names is no GPIO chip.
    if (!chip && nameError == ENOTTY)
        error = ENOTTY;
    return chip;
}

} // namespace corvant
