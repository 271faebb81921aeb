#pragma once
// Every text the user interface shows on its own account: captions, message box texts
// and settings keys. Kept in one place so that a wording is changed once.

namespace velmora::ui {

// Application and main window
inline constexpr char kAppTitle[] = "Velmora";
inline constexpr char kVersionLine[] = "Version 1.21";

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
inline constexpr char kDeviceListLoadErrorPrefix[] =
    "Error load devices information from Devices.ini file.\r\nMenu \"Device\" will not be "
    "available.\r\nNote:\r\n\"ProgMemSize\" and \"EEPROMDataMemSize\" fields\r\nat Devices.ini "
    "file must be less or equal than accordingly\r\n";
inline constexpr char kDeviceListLoadErrorSuffix[] = " and \"ProgMemSize\" must be nonzero.";
inline constexpr char kNoDevices[] =
    "Program has information about zero devices.\r\nInformation about devices must be at "
    "Devices.ini file.\r\nMenu \"Device\" will not be available.";
inline constexpr char kProgrammerInfoPrefix[] = "Information from \"corvant.dll\" library:\r\n";
inline constexpr char kDevicesIniName[] = "Devices.ini";

// Settings file
inline constexpr char kSettingsFileName[] = "Velmora.ini";
inline constexpr char kIniLoadError[] = "INI load error";
inline constexpr char kIniSaveError[] = "Save to INI error";

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

// Memory grid
inline constexpr char kGridAddressHeader[] = "Address:\\";
inline constexpr char kGridCharsHeader[] = "Chars:";
inline constexpr char kGridProgramHeading[] = "Program:";
inline constexpr char kGridEepromHeading[] = "EEPROM data:";
inline constexpr char kGridIdsHeading[] = "IDs:";
inline constexpr char kGridConfigHeading[] = "Config:";
inline constexpr char kGridDeviceIdHeading[] = "Device IDs:";

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
