#pragma once
// Every window of the program on the shipped device list, the simulated programmer and
// the PIC18F452, in a scratch program folder; for tests of the windows' layout.

#include <filesystem>
#include <memory>

#include "tests/support/ScriptedMessages.h"
#include "tests/support/TempFolder.h"
#include "UiDriver.h"
#include "ui/ErrorHook.h"
#include "ui/VelmoraWindows.h"

namespace velmora::test {

class WindowsOnTheSimulator {
public:
    WindowsOnTheSimulator()
    {
        ErrorHook::install(&messages);
        std::filesystem::copy_file(VELMORA_SHIPPED_DEVICES_INI, folder.file("Devices.ini"));
        folder.write("Velmora.ini", "[Config]\r\nCOM=SIM\r\nDevice=3\r\n");
        windows = std::make_unique<VelmoraWindows>(folder.path(), messages, files, lowLevel);
    }
    ~WindowsOnTheSimulator()
    {
        windows.reset();
        ErrorHook::install(nullptr);
    }
    WindowsOnTheSimulator(const WindowsOnTheSimulator&) = delete;
    WindowsOnTheSimulator& operator=(const WindowsOnTheSimulator&) = delete;

    TempFolder folder;
    CurrentFolderGuard currentFolder;
    ScriptedMessages messages;
    ScriptedFiles files;
    RecordingLowLevel lowLevel;
    std::unique_ptr<VelmoraWindows> windows;
};

} // namespace velmora::test
