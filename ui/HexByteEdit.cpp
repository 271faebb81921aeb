#include "ui/HexByteEdit.h"

#include <QFocusEvent>
#include <QTimer>

#include "ui/ErrorHook.h"

namespace velmora {

namespace {

constexpr int kValueDigits = 2;

QString hexByte(unsigned value)
{
    return QStringLiteral("%1").arg(value, kValueDigits, 16, QChar(u'0')).toUpper();
}

// Every prefix character is escaped: digits and letters are mask characters otherwise.
QString maskFor(const QString& prefix)
{
    QString mask;
    for (QChar c : prefix) {
        mask += QChar(u'\\');
        mask += c;
    }
    return mask + QStringLiteral(">HH;_");
}

} // namespace

HexByteEdit::HexByteEdit(int index, QWidget* parent)
    : QLineEdit(parent), prefix_(hexByte(static_cast<unsigned>(index)) + QChar(u':'))
{
    setInputMask(maskFor(prefix_));
    setText(prefix_ + QStringLiteral("FF"));
}

void HexByteEdit::setByte(std::uint8_t value)
{
    setText(prefix_ + hexByte(value));
}

bool HexByteEdit::isComplete() const
{
    return hasAcceptableInput();
}

std::uint8_t HexByteEdit::byteValue() const
{
    if (!isComplete())
        return 0xFF;
    bool ok = false;
    const unsigned value = text().mid(prefix_.size(), kValueDigits).toUInt(&ok, 16);
    return ok ? static_cast<std::uint8_t>(value) : 0xFF;
}

void HexByteEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // Focus that moves to another window (the error box itself, a menu) is no leaving.
    const bool leaving = event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason
                         || event->reason() == Qt::MouseFocusReason || event->reason() == Qt::OtherFocusReason
                         || event->reason() == Qt::ShortcutFocusReason;
    if (!leaving || errorPending_ || isComplete() || !isEnabled() || !isVisible())
        return;
    // Back into the field first, then the error box, so its closing returns the focus here.
    setFocus(Qt::OtherFocusReason);
    errorPending_ = true;
    QTimer::singleShot(0, this, [this] {
        errorPending_ = false;
        ErrorHook::handle(MaskedEditValidationError());
    });
}

} // namespace velmora
