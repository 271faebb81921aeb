#pragma once
// What the three configuration editors share: the caption, the ID fields, OK and
// Cancel, the closing validation of the masked fields, and the editing frame: load
// from the image, show modally, on OK write back and refresh the grid's ID and
// configuration rows.

#include <QDialog>

#include <array>
#include <functional>

#include "devicedata/DeviceImage.h"

class QGroupBox;
class QPushButton;
class QVBoxLayout;

namespace velmora {

class HexByteEdit;

class ConfigEditorDialog : public QDialog {
    Q_OBJECT
public:
    // Modal; on OK the image has been updated and refreshIdsAndConfig called; on Cancel
    // nothing has changed.
    void EditConfiguration(DeviceImage& image, const std::function<void()>& refreshIdsAndConfig);

    QPushButton* okButton() const { return okButton_; }
    HexByteEdit* idEdit(int index) const { return idEdits_[static_cast<std::size_t>(index)]; }

    void done(int result) override;

protected:
    explicit ConfigEditorDialog(QWidget* parent);

    virtual void load(const DeviceImage& image) = 0;
    // Writes the controls back in the editor's order, ID bytes included.
    virtual void writeBack(DeviceImage& image) = 0;

    QVBoxLayout* contentLayout() const { return content_; }
    QGroupBox* createIdGroup(int fieldsPerColumn);
    void loadIds(const MemoryImage& image);
    void writeIds(MemoryImage& image) const;
    // Adds OK and Cancel at the bottom right and fixes the window's size.
    void finishLayout();
    // Fixes the window's size again after controls were shown or hidden.
    void fitToContents();

    void showEvent(QShowEvent* event) override;

private:
    QVBoxLayout* content_ = nullptr;
    QPushButton* okButton_ = nullptr;
    std::array<HexByteEdit*, kIdCount> idEdits_{};
};

// A group of masked fields "00:" .. and so on, one per byte, in one column.
QGroupBox* createHexFieldGroup(const QString& caption, HexByteEdit** fields, int count, int fieldsPerColumn,
                               QWidget* parent);

} // namespace velmora
