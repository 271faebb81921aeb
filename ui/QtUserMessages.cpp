#include "ui/QtUserMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <array>
#include <utility>

#include "ui/UiTexts.h"

namespace velmora {

namespace {

constexpr std::array<std::pair<MessageButton, QMessageBox::StandardButton>, 5> kButtons{{
    {ButtonOk, QMessageBox::Ok},
    {ButtonYes, QMessageBox::Yes},
    {ButtonNo, QMessageBox::No},
    {ButtonRetry, QMessageBox::Retry},
    {ButtonAbort, QMessageBox::Abort},
}};

QMessageBox::Icon iconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Warning: return QMessageBox::Warning;
    }
    return QMessageBox::NoIcon;
}

const char* titleOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error: return ui::kErrorTitle;
    case MessageKind::Information: return ui::kInformationTitle;
    case MessageKind::Warning: return ui::kWarningTitle;
    }
    return ui::kErrorTitle;
}

} // namespace

MessageButton QtUserMessages::showMessage(MessageKind kind, const std::string& text,
                                          MessageButtons buttons)
{
    QMessageBox box(iconOf(kind), QString::fromLatin1(titleOf(kind)),
                    QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                    QMessageBox::NoButton, QApplication::activeWindow());
    for (const auto& [ours, qt] : kButtons) {
        if (buttons & ours)
            box.addButton(qt);
    }
    const auto chosen = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& [ours, qt] : kButtons) {
        if (qt == chosen)
            return ours;
    }
    // Closed without a button (Esc or the close box where no button takes that role).
    return ButtonNone;
}

} // namespace velmora
