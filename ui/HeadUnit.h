#pragma once
// TForm1, the main window "Velmora": owner of the engine (with the memory image), the
// device list, the port init string and the checksum settings. Creating it is the
// program's start-up sequence; closing it is the shut-down sequence. It offers every
// command through the menu, the shortcuts and the toolbar, shows the image in the grid
// and keeps a two-panel status bar.

#include <QMainWindow>

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "devicedata/DeviceList.h"
#include "hexfile/ChecksumSettings.h"
#include "ui/MemoryGridModel.h"
#include "ui/ProgramIcons.h"
#include "ui/SettingsLocation.h"
#include "ui/SettingsValues.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace velmora {

class FileChooser;
class MemoryGridView;
class TAboutBox;
class TCfgIDs1;
class TCfgIDs2;
class TCfgIDs3;
class TCSCfg;
class TForm2;
class TForm3;
class TForm4;
class TForm6;
class TPICPr;
class TPrgConfig;
class UserMessages;

// The windows created after the main window; it shows them when their commands run.
struct CommandWindows {
    TForm3* progress = nullptr;
    TForm4* deviceSelect = nullptr;
    TCfgIDs1* editor1 = nullptr;
    TCfgIDs2* editor2 = nullptr;
    TCfgIDs3* editor3 = nullptr;
    TAboutBox* about = nullptr;
    TCSCfg* checksum = nullptr;
    TPrgConfig* programming = nullptr;
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Runs the whole start-up sequence. programFolder holds Devices.ini, and
    // Velmora.ini too unless the folder is not writable (SettingsLocation).
    TForm1(std::filesystem::path programFolder, UserMessages& messages, FileChooser& files,
           TForm2& lowLevelTest, TForm6& comSelect);
    ~TForm1() override;

    void attachWindows(const CommandWindows& windows);

    TPICPr& engine() { return *engine_; }
    DeviceList& deviceList() { return devices_; }
    MemoryGridModel& gridModel() { return gridModel_; }
    MemoryGridView& gridView() { return *gridView_; }
    const std::string& portInitString() const { return settings_.com; }
    std::int32_t selectedDeviceIndex() const { return settings_.device; }
    ChecksumSettings& checksumSettings() { return settings_.checksum; }
    QString statusPanel(int panel) const;

    // Redraws the grid from the image: all of it, or only the ID and configuration
    // rows while the partial-refresh flag is set.
    void refreshGrid();
    // The configuration editors' refresh: the flag set around one refresh.
    void refreshIdsAndConfig();

    // Menu items by command, for the toolbar and tests.
    enum class Command {
        EmptyWindow, Load, Save, Exit, SelectDevice, ConfigurationBits, Erase, Program, Read, Verify,
        ProgrammingConfiguration, ChecksumConfiguration, ComPort, LowLevelTest, IdentifyChip, CheckWiring,
        ProgrammerInfo, About,
    };
    QAction* menuItem(Command command) const;
    QAction* toolbarButton(Command command) const;
    QMenu* deviceMenu() const { return deviceMenu_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct CommandEntry {
        QAction* menuItem = nullptr;
        QMenu* menu = nullptr;
        QAction* toolbarButton = nullptr;
    };

    void buildWindow();
    QAction* addMenuItem(QMenu* menu, Command command, const QString& caption, const QKeySequence& shortcut);
    void addToolbarButton(QToolBar* toolbar, Command command, const char* hint, ToolbarIcon icon);
    // Runs a menu item's command only when the item and its menu are enabled.
    void runIfEnabled(Command command);
    void run(Command command);

    // Start-up steps.
    void initialiseDelayLibrary();
    void readFirstSettingsGroup();
    void openPortAtStartUp();
    void setPortCommandsEnabled(bool enabled);
    void loadDevices();
    void applyWindowSettings();

    // Commands.
    void emptyWindow();
    void loadFile();
    void saveFile();
    void selectDevice();
    void editConfiguration();
    void runOperation(std::uint8_t code, const char* process);
    // The operation with the chip's device ID checked against the selected device first.
    void runCheckedOperation(std::uint8_t code, const char* process);
    void program();
    bool lvpOffAccepted();
    bool entryAccepted();
    // Empty when the chip that answered may be used as the selected device or the user
    // says go on; otherwise what ends the operation. Called on the worker.
    std::string checkChip(std::uint16_t rawId, const std::string& selectedName);
    void selectComPort();
    void warnIfSlowPort();
    void identifyChip();
    void checkWiring();
    void showProgrammerInfo();

    // Keeps the bounds of the normal (not maximized) window for the settings file.
    void recordNormalBounds();
    void writeSettings();
    void shutDown();
    static void enterFolderOf(const QString& fileName);

    std::filesystem::path programFolder_;
    SettingsLocation settingsLocation_;
    UserMessages& messages_;
    FileChooser& files_;
    TForm2& lowLevelTest_;
    TForm6& comSelect_;
    CommandWindows windows_;

    SettingsGroup1 settings_;
    QRect normalBounds_;
    bool partialRefresh_ = false;
    bool shutDown_ = false;

    std::unique_ptr<TPICPr> engine_;
    DeviceList devices_;
    MemoryGridModel gridModel_;
    MemoryGridView* gridView_ = nullptr;
    QLabel* panels_[2]{};
    QMenu* deviceMenu_ = nullptr;
    std::map<Command, CommandEntry> commands_;
};

} // namespace velmora
