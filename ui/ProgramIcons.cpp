#include "ui/ProgramIcons.h"

#include <QApplication>
#include <QStyle>

// Resources of a static library are registered by hand, outside any namespace.
static void registerIconResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

namespace velmora {

namespace {

struct ThemedIcon {
    const char* themeName;   // nullptr: the program's own icon
    QStyle::StandardPixmap fallback;
};

ThemedIcon themedIcon(ToolbarIcon icon)
{
    switch (icon) {
    case ToolbarIcon::EmptyWindow: return {"document-new", QStyle::SP_FileIcon};
    case ToolbarIcon::LoadFile: return {"document-open", QStyle::SP_DialogOpenButton};
    case ToolbarIcon::SaveFile: return {"document-save", QStyle::SP_DialogSaveButton};
    case ToolbarIcon::SelectDevice: return {nullptr, QStyle::SP_ComputerIcon};
    case ToolbarIcon::EditConfiguration: return {"document-properties", QStyle::SP_FileDialogDetailedView};
    case ToolbarIcon::ProgramDevice: return {"go-down", QStyle::SP_ArrowDown};
    case ToolbarIcon::ReadDevice: return {"go-up", QStyle::SP_ArrowUp};
    case ToolbarIcon::VerifyDevice: return {"edit-find", QStyle::SP_DialogApplyButton};
    case ToolbarIcon::ProgrammingConfiguration: return {"preferences-system", QStyle::SP_FileDialogListView};
    case ToolbarIcon::ChecksumConfiguration: return {"accessories-calculator", QStyle::SP_FileDialogInfoView};
    case ToolbarIcon::Exit: return {"application-exit", QStyle::SP_DialogCloseButton};
    }
    return {nullptr, QStyle::SP_FileIcon};
}

void useAdwaitaWhenThemeless()
{
    static const bool done = [] {
        if (QIcon::fallbackThemeName().isEmpty() || QIcon::fallbackThemeName() == QStringLiteral("hicolor"))
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        return true;
    }();
    (void)done;
}

} // namespace

QIcon programIcon()
{
    registerIconResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/velmora/velmora-%1.png").arg(size), QSize(size, size));
    return icon;
}

QIcon toolbarIcon(ToolbarIcon which)
{
    useAdwaitaWhenThemeless();
    const ThemedIcon themed = themedIcon(which);
    if (themed.themeName == nullptr)
        return programIcon();
    const QString name = QString::fromLatin1(themed.themeName);
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    return QApplication::style()->standardIcon(themed.fallback);
}

} // namespace velmora
