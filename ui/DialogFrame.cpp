#include "ui/DialogFrame.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

namespace velmora {

void makeFixedDialog(QWidget* dialog, int clientWidth, int clientHeight, MinimizeBox minimize)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (minimize == MinimizeBox::Shown)
        flags |= Qt::WindowMinimizeButtonHint;
    dialog->setWindowFlags(flags);
    QSize size(clientWidth, clientHeight);
    if (dialog->layout() != nullptr)
        size = size.expandedTo(dialog->layout()->sizeHint());
    dialog->setFixedSize(size);
}

void centerOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace velmora
