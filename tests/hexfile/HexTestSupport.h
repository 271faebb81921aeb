#pragma once
// Helpers of the hexfile tests: a message recorder, images of a given size, scratch
// folders and running the outside tools (srec_cat, gpasm).

#include <memory>
#include <string>
#include <vector>

#include "devicedata/DeviceImage.h"
#include "devicedata/UserMessages.h"

namespace velmora::test {

// Records every message box and answers questions (boxes with Yes) with questionAnswer.
class MessageRecorder final : public UserMessages {
public:
    struct Shown {
        MessageKind kind;
        std::string text;
        MessageButtons buttons;
    };
    MessageButton questionAnswer = ButtonNo;
    std::vector<Shown> shown;

    MessageButton showMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override
    {
        shown.push_back({kind, text, buttons});
        return (buttons & ButtonYes) != 0 ? questionAnswer : ButtonOk;
    }
    // True when exactly one box was shown, of that kind and text.
    bool showedOnly(MessageKind kind, std::string_view text) const
    {
        return shown.size() == 1 && shown[0].kind == kind && shown[0].text == text;
    }
};

// A type-1 device of the given sizes, cleared with every byte present.
std::unique_ptr<DeviceImage> MakeImage(std::int32_t programSize, std::int32_t eepromSize);
// Fills the device's program memory and EEPROM, the IDs and configuration with a pattern.
void FillPattern(DeviceImage& image, unsigned seed);

// A fresh folder below the system's temporary folder, removed with its contents.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    std::string path(const std::string& name) const { return folder + "/" + name; }
    std::vector<std::string> entries() const; // sorted file names
    std::string folder;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& contents);

// Runs a program (arguments quoted for the shell); its exit code and everything it
// printed. Tools under test write their data to files, so what they print is complaint.
struct ToolRun {
    int exitCode;
    std::string printed;
};
ToolRun RunTool(const std::vector<std::string>& arguments);

} // namespace velmora::test
