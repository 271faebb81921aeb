#include "ui/QtUserMessages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QString>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "ui/DialogFrame.h"
#include "ui/UiTexts.h"

namespace velmora {

namespace {

// Left to right, whatever order the platform's style would give the standard buttons:
// the port error at start-up reads Yes, No, Retry and the verify question Yes, No, Abort.
constexpr std::array<std::pair<MessageButton, QMessageBox::StandardButton>, 5> kButtons{{
    {ButtonYes, QMessageBox::Yes},
    {ButtonNo, QMessageBox::No},
    {ButtonOk, QMessageBox::Ok},
    {ButtonAbort, QMessageBox::Abort},
    {ButtonRetry, QMessageBox::Retry},
}};

// Esc and the close box answer the way out the box offers: Abort, else No, else OK.
constexpr std::array kEscapeOrder{ButtonAbort, ButtonNo, ButtonOk};

// Every box centred on the screen like the dialogs, whichever window is active.
class CentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);
        centerOnScreen(this);
    }
};

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
    return askWithDefault(kind, text, buttons, ButtonNone);
}

MessageButton QtUserMessages::askWithDefault(MessageKind kind, const std::string& text, MessageButtons buttons,
                                             MessageButton defaultButton)
{
    CentredMessageBox box(iconOf(kind), QString::fromLatin1(titleOf(kind)),
                          QString::fromStdString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                          QMessageBox::NoButton, QApplication::activeWindow());
    // Standard buttons for their platform texts, re-added with one shared role so that
    // the box keeps the order they were added in.
    std::vector<std::pair<QAbstractButton*, MessageButton>> added;
    for (const auto& [ours, qt] : kButtons) {
        if (!(buttons & ours))
            continue;
        QPushButton* button = box.addButton(qt);
        box.addButton(button, QMessageBox::ActionRole);
        if (ours == defaultButton)
            box.setDefaultButton(button);
        added.emplace_back(button, ours);
    }
    for (MessageButton way : kEscapeOrder) {
        const auto found = std::find_if(added.begin(), added.end(), [way](const auto& entry) { return entry.second == way; });
        if (found != added.end()) {
            box.setEscapeButton(found->first);
            break;
        }
    }
    box.exec();
    for (const auto& [button, ours] : added) {
        if (button == box.clickedButton())
            return ours;
    }
    // Closed without a button (no way out offered, or a single unrelated button).
    return ButtonNone;
}

} // namespace velmora
