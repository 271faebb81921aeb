#pragma once
// Helpers of the hexfile tests: a message recorder, images of a given size, scratch
// folders and running the outside tools (srec_cat, gpasm).

#include <memory>
#include <string>
#include <vector>

#include "devicedata/DeviceImage.h"
#include "devicedata/UserMessages.h"

namespace velmora::test {

struct ShownMessage {
    MessageKind kind;
    std::string text;
    MessageButtons buttons;
};

// Records every message box and answers Yes/No questions with a chosen button.
class MessageRecorder final : public UserMessages {
public:
    MessageButton questionAnswer = ButtonNo;
    std::vector<ShownMessage> shown;

    MessageButton showMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override;
};

// A type-1 device of the given sizes, cleared with every byte present.
std::unique_ptr<DeviceImage> MakeImage(std::int32_t programSize, std::int32_t eepromSize);

// Fills program memory, EEPROM, IDs and configuration with a reproducible pattern.
void FillPattern(DeviceImage& image, unsigned seed);

// A fresh folder below the system's temporary folder, removed with its contents.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path(const std::string& name) const { return folder_ + "/" + name; }
    const std::string& folder() const { return folder_; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> entries() const;

private:
    std::string folder_;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& contents);

struct ProcessResult {
    int exitCode = -1;
    std::string output;
    std::string errors;
};

// Runs a program with arguments (no shell), capturing its standard output and error.
ProcessResult RunProgram(const std::vector<std::string>& arguments);

} // namespace velmora::test
