#pragma once
// Every text the user interface shows on its own account: captions, message box texts
// and settings keys. Kept in one place so that a wording is changed once.

namespace velmora::ui {

// Application and main window
inline constexpr char kAppTitle[] = "Velmora";
inline constexpr char kVersionLine[] = "Version " VELMORA_VERSION;

// Message box titles
inline constexpr char kErrorTitle[] = "Error";
inline constexpr char kInformationTitle[] = "Information";
inline constexpr char kWarningTitle[] = "Warning";

// Application-wide error hook
inline constexpr char kMaskedEditError[] =
    "Invalid input value. Input value must be HEX number with\r\n"
    "two HEX digits. Examples: 00, 01, 09, 0A, 0F, 1F, 7F, FF.";

// Start-up and shut-down
inline constexpr char kTimerTooSlowPrefix[] = "High-resolution timer's frequency is less than ";
inline constexpr char kTimerTooSlowMiddle[] = " Hz.\r\nHigh-resolution timer's frequency is ";
inline constexpr char kTimerHzSuffix[] = " Hz.";
inline constexpr char kTimerNotFound[] = "High-resolution timer was not found.";
inline constexpr char kComInitErrorPrefix[] = "COMM init error: ";
inline constexpr char kSelectComPortQuestion[] = "Do you want to select COM port?";
inline constexpr char kPortCommandsUnavailable[] =
    "Menus \"Device\\Program\", \"Device\\Read\",\r\n\"Device\\Verify\" will not be available.\r\n"
    "COMM part of low-level interface test\r\nwindow also will not be available";
inline constexpr char kComCloseError[] = "COMM close error.";
// Around the length of a text too long to quote whole: "abc ... [10240 bytes] ... xyz".
inline constexpr char kElisionPrefix[] = " ... [";
inline constexpr char kElisionSuffix[] = " bytes] ... ";
inline constexpr char kProgrammerInfoPrefix[] = "Information from \"corvant.dll\" library:\r\n";
inline constexpr char kDevicesIniName[] = "Devices.ini";

// Settings file
inline constexpr char kSettingsFileName[] = "Velmora.ini";
// Inside the user's configuration folder, for an installed program.
inline constexpr char kUserSettingsFolderName[] = "velmora";
inline constexpr char kIniSaveError[] = "Save to INI error";
// The reason after "INI load error" and the file's path when LastDir cannot be entered.
inline constexpr char kLastDirNotEnteredPrefix[] = "LastDir cannot become the current folder: ";

// File dialogs
inline constexpr char kLoadDialogTitle[] = "Load file";
inline constexpr char kSaveDialogTitle[] = "Save file";
inline constexpr char kHexFileFilter[] = "Intel INHX32 HEX file (*.hex);;Any file (*)";
inline constexpr char kProposedSaveName[] = "*.hex";

// Operation titles in the progress window
inline constexpr char kProcessRead[] = "Read";
inline constexpr char kProcessErasing[] = "Erasing";
inline constexpr char kProcessProgramming[] = "Programming";
inline constexpr char kProcessVerification[] = "Verification";
inline constexpr char kWordMarker[] = "&+1";
// After the size message of a Program refused before it started.
inline constexpr char kDeviceNotErased[] = "The device was not erased.";

// Around the engine's words, asked before Program when the image turns LVP off and the
// port enters at low voltage
inline constexpr char kLvpOffQuestionHead[] = "The configuration ";
inline constexpr char kLvpOffQuestionTail[] = "\r\nProgram it anyway?";

// After the Vpp warning before a session on a programmer whose Vpp is above the device's limit
inline constexpr char kVppGoOnQuestion[] =
    "Go on only if this programmer's Vpp is known to be within that limit. Enter programming mode anyway?";

// Debug > Identify chip and Debug > Check wiring
inline constexpr char kProcessIdentify[] = "Identify chip";
// How the windows' checklists name their line check.
inline constexpr char kWiringCheckName[] = "Debug > Check wiring";

// After the engine's words on a chip that is not the selected device
inline constexpr char kIdMismatchQuestion[] = "Go on with this chip anyway?";
inline constexpr char kIdMismatchDeclined[] = "Nothing was sent beyond the device-ID read.";

// Under the COM port dialog's edit field: the port forms, an example each
inline constexpr char kPortForms[] =
    "Serial (JDM): COM1, /dev/ttyUSB0\n"
    "GPIO: GPIO:gpiochip0,mclr=17,pgc=27,pgd=22\n"
    "FTDI: FTDI:0403:6001,mclr=TXD,pgc=RTS,pgd=DTR,pgdin=CTS\n"
    "Simulated: SIM:PIC18F452";

// Memory grid
inline constexpr char kGridAddressHeader[] = "Address:\\";
inline constexpr char kGridCharsHeader[] = "Chars:";
inline constexpr char kGridProgramHeading[] = "Program:";
inline constexpr char kGridEepromHeading[] = "EEPROM data:";
inline constexpr char kGridIdsHeading[] = "IDs:";
inline constexpr char kGridConfigHeading[] = "Config:";
inline constexpr char kGridDeviceIdHeading[] = "Device IDs:";

// Dialog captions
inline constexpr char kProgressCaption[] = "Device";
inline constexpr char kProgressProcess[] = "Process";
inline constexpr char kProgressAction[] = "Action";
inline constexpr char kCancel[] = "Cancel";
inline constexpr char kDeviceSelectCaption[] = "Device select";
inline constexpr char kDeviceLabel[] = "Device:";
inline constexpr char kSelectButton[] = "Select";
inline constexpr char kComSelectCaption[] = "COM port select";
inline constexpr char kComInitStringLabel[] = "COM port init string:";
inline constexpr char kDefaultPort[] = "COM1";
inline constexpr char kUseComPrefix[] = "Use COM";
inline constexpr char kPortStringTooLongPrefix[] = "The port init string is ";
inline constexpr char kPortStringTooLongMiddle[] = " bytes long.\r\nThe settings file keeps at most ";
inline constexpr char kPortStringTooLongSuffix[] = " bytes of it.";
inline constexpr char kProgrammingCaption[] = "Programming configuration";
inline constexpr char kProgrammingGroup[] = "Programming:";
inline constexpr char kBlankCheckBox[] = "Blank check before erase";
inline constexpr char kMultiPanelBox[] = "Use multi-panel write";
inline constexpr char kMultiPanelHint[] = "This option is used for some devices";
inline constexpr char kFastVerifyBox[] = "Fast verify";
inline constexpr char kFastVerifyHint[] =
    "After programming of program memory and EEPROM verify only addresses specified in HEX file";
inline constexpr char kAreasGroup[] = "Program/Read/Verify:";
inline constexpr char kAreasHint[] = "Note: when programming device is erased entirely";
inline constexpr char kProgramMemoryBox[] = "Program memory";
inline constexpr char kEepromBox[] = "EEPROM";
inline constexpr char kIdsBox[] = "IDs";
inline constexpr char kConfigurationBox[] = "Configuration";
// On the EEPROM and IDs boxes, disabled for a J part.
inline constexpr char kNoEepromNoIdsHint[] = "This device has no data EEPROM and no ID locations";
inline constexpr char kChecksumCaption[] = "Checksum configuration";
inline constexpr char kChecksumEnableBox[] = "Add checksum to the last program's word on HEX load";
inline constexpr char kChecksumWarnBox[] = "Warning if prior value of word differs from";
inline constexpr char kChecksumTypeGroup[] = "Checksum type:";
inline constexpr char kChecksumSimpleSum[] = "Simple sum of program memory words";
inline constexpr char kChecksumAdditionToZero[] = "Addition to zero";
inline constexpr char kAboutCaption[] = "About";
inline constexpr char kLowLevelCaption[] = "Low-level interface test";
inline constexpr char kPinGroup[] = "State of programmer pins:";
inline constexpr char kVppBox[] = "Vpp";
inline constexpr char kWriteDataBox[] = "Write data";
inline constexpr char kClockBox[] = "Clock";
inline constexpr char kReadDataBox[] = "Read data";
inline constexpr char kTimerGroup[] = "Timer test and delay test:";
inline constexpr char kTimerTestLabel[] = "Timer test:";
inline constexpr char kDelayTestButton[] = "Delay test, 5 s";
inline constexpr char kExitButton[] = "Exit";

// Checksum configuration
inline constexpr char kWarnValueInvalid[] = "Value of word must be integer\r\nvalue from 0 to FFFF";

// Low-level interface test
inline constexpr char kCommWriteError[] = "COMM write error.";
inline constexpr char kCommReadError[] = "COMM read error.";
inline constexpr char kCounterReadError[] = "Perfomance counter (timer) read error.";
inline constexpr char kDelayError[] = "Delay error.";
inline constexpr char kTimerTestPrefix[] = "Timer test: ";
inline constexpr char kSecondsSuffix[] = " s";

} // namespace velmora::ui
