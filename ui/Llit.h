#pragma once
// TForm2, "Low-level interface test": drive the programmer's three outputs by hand,
// watch the data-in line, watch the high-resolution counter and time a 5-second delay.
// It talks to the pin-interface and delay libraries directly, on the user-interface
// thread, and only while no device operation runs (it is modal).

#include <QDialog>
#include <QTimer>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace velmora {

class LowLevelAccess;
class PinDriver;
class UserMessages;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(LowLevelAccess& access, UserMessages& messages, QWidget* parent = nullptr);

    // The pin group is usable only while the port is open.
    void setPinGroupEnabled(bool enabled);
    bool pinGroupEnabled() const;
    // The lines this window drives, for the main window's line check.
    PinDriver& pins() const;

    QCheckBox* vppBox() const { return vpp_; }
    QCheckBox* writeDataBox() const { return data_; }
    QCheckBox* clockBox() const { return clock_; }
    QCheckBox* readDataBox() const { return readData_; }
    QLabel* timerLabel() const { return timerLabel_; }
    QPushButton* delayButton() const { return delayButton_; }
    QPushButton* exitButton() const { return exit_; }
    bool polling() const { return timer_.isActive(); }
    // One 40 ms timer tick: poll data in, show the counter.
    void tick();

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void writePins();
    void readDataIn();
    void runDelayTest();

    LowLevelAccess& access_;
    UserMessages& messages_;
    bool readPolling_ = true;
    bool timerTest_ = true;
    QTimer timer_;

    QGroupBox* pins_ = nullptr;
    QCheckBox* vpp_ = nullptr;
    QCheckBox* data_ = nullptr;
    QCheckBox* clock_ = nullptr;
    QCheckBox* readData_ = nullptr;
    QLabel* timerLabel_ = nullptr;
    QPushButton* delayButton_ = nullptr;
    QPushButton* exit_ = nullptr;
};

} // namespace velmora
