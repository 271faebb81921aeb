#pragma once
// The masked edit field of the configuration editors: a fixed prefix such as "07:" that
// the user cannot change, then two required hex digits shown upper case. Other typed
// characters are discarded. Leaving the field incomplete raises the masked-edit
// validation error and keeps the focus in the field.

#include <QLineEdit>

#include <cstdint>

namespace velmora {

class HexByteEdit : public QLineEdit {
    Q_OBJECT
public:
    // index: the number shown in the prefix, as two hex digits.
    explicit HexByteEdit(int index, QWidget* parent = nullptr);

    void setByte(std::uint8_t value);
    // The two digits as a byte; FF when the field is incomplete.
    std::uint8_t byteValue() const;
    // Both value digits present.
    bool isComplete() const;
    // A validation error box is about to be shown for this field.
    bool errorPending() const { return errorPending_; }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString prefix_;
    bool errorPending_ = false;
};

} // namespace velmora
