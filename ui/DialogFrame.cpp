#include "ui/DialogFrame.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPushButton>
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
    // The client area is centred, not the frame: the window manager's frame is unknown
    // before the first showing and known afterwards, so centring the frame would place
    // the first opening apart from all later ones.
    QRect client(QPoint(), window->size());
    client.moveCenter(screen->availableGeometry().center());
    window->setGeometry(client);
}

QPushButton* addOkCancelRow(QDialog* dialog, QBoxLayout* layout)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return ok;
}

} // namespace velmora
