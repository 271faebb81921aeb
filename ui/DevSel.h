#pragma once
// TForm4, "Device select": the device names in list order; Select (also a double click
// or Space in the list) takes the selected index, or 0 when none is selected.

#include <QDialog>

#include <cstdint>

class QListWidget;
class QPushButton;

namespace velmora {

class DeviceList;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Fills the list box with every device name, walking the list as the database allows.
    void fillDevices(DeviceList& devices);
    // Modal; true on Select, and then selectedIndex holds the chosen index.
    bool ChooseDevice(std::int32_t& selectedIndex);

    QListWidget* deviceList() const { return list_; }
    QPushButton* selectButton() const { return select_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QListWidget* list_ = nullptr;
    QPushButton* select_ = nullptr;
};

} // namespace velmora
