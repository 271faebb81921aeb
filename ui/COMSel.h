#pragma once
// TForm6, "COM port select": an edit field for the port init string, four buttons
// that fill in COM1 to COM4, and the other port forms with an example each. ComInit
// judges the text; the dialog only refuses one longer than the settings file can give
// back whole.

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class UserMessages;

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(UserMessages& messages, QWidget* parent = nullptr);

    // Modal, pre-filled with port; true on OK, and then port holds the text as typed.
    bool SelectComPort(std::string& port);

    QLineEdit* portEdit() const { return edit_; }
    QPushButton* useComButton(int number) const { return useCom_[number - 1]; }
    QPushButton* okButton() const { return ok_; }
    QLabel* portFormsLabel() const { return portForms_; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    UserMessages& messages_;
    QLineEdit* edit_ = nullptr;
    QPushButton* useCom_[4]{};
    QPushButton* ok_ = nullptr;
    QLabel* portForms_ = nullptr;
};

} // namespace velmora
