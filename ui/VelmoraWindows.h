#pragma once
// Every window of the program, created once in the program's order and destroyed at
// the end: the low-level test window and the COM port dialog, then the main window
// (whose creation is the start-up sequence), then the progress window, the device
// select dialog, the three configuration editors, the About box, the checksum and the
// programming configuration dialogs.

#include <filesystem>
#include <memory>

namespace velmora {

class FileChooser;
class LowLevelAccess;
class TAboutBox;
class TCfgIDs1;
class TCfgIDs2;
class TCfgIDs3;
class TCSCfg;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm6;
class TPrgConfig;
class UserMessages;

class VelmoraWindows {
public:
    VelmoraWindows(const std::filesystem::path& programFolder, UserMessages& messages, FileChooser& files,
                   LowLevelAccess& lowLevel);
    ~VelmoraWindows();
    VelmoraWindows(const VelmoraWindows&) = delete;
    VelmoraWindows& operator=(const VelmoraWindows&) = delete;

    TForm1& mainWindow() { return *mainWindow_; }
    TForm2& lowLevelTest() { return *lowLevelTest_; }
    TForm3& progress() { return *progress_; }
    TForm4& deviceSelect() { return *deviceSelect_; }
    TForm6& comSelect() { return *comSelect_; }
    TCfgIDs1& editor1() { return *editor1_; }
    TCfgIDs2& editor2() { return *editor2_; }
    TCfgIDs3& editor3() { return *editor3_; }
    TAboutBox& about() { return *about_; }
    TCSCfg& checksum() { return *checksum_; }
    TPrgConfig& programming() { return *programming_; }

private:
    std::unique_ptr<TForm2> lowLevelTest_;
    std::unique_ptr<TForm6> comSelect_;
    std::unique_ptr<TForm1> mainWindow_;
    std::unique_ptr<TForm3> progress_;
    std::unique_ptr<TForm4> deviceSelect_;
    std::unique_ptr<TCfgIDs1> editor1_;
    std::unique_ptr<TCfgIDs2> editor2_;
    std::unique_ptr<TCfgIDs3> editor3_;
    std::unique_ptr<TAboutBox> about_;
    std::unique_ptr<TCSCfg> checksum_;
    std::unique_ptr<TPrgConfig> programming_;
};

} // namespace velmora
