#pragma once
// TAboutBox: the program icon, "Velmora" and its version line, and OK.

#include <QDialog>

class QPushButton;

namespace velmora {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QPushButton* okButton() const { return ok_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* ok_ = nullptr;
};

} // namespace velmora
