#include "ui/VelmoraApplication.h"

#include <exception>

#include "ui/ErrorHook.h"
#include "ui/UiTexts.h"

namespace velmora {

VelmoraApplication::VelmoraApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QString::fromLatin1(ui::kAppTitle));
}

bool VelmoraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ErrorHook::handle(error);
        return false;
    }
}

} // namespace velmora
