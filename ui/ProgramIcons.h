#pragma once
// Icons: the program's own (drawn for this program, in ui/icons) and the toolbar's,
// taken from the desktop's icon theme (Adwaita when the desktop names none) with Qt's
// built-in icons as the fallback when no theme is installed.

#include <QIcon>

namespace velmora {

enum class ToolbarIcon {
    EmptyWindow,
    LoadFile,
    SaveFile,
    SelectDevice,
    EditConfiguration,
    ProgramDevice,
    ReadDevice,
    VerifyDevice,
    ProgrammingConfiguration,
    ChecksumConfiguration,
    Exit,
};

QIcon programIcon();
QIcon toolbarIcon(ToolbarIcon icon);

} // namespace velmora
