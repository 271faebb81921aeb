#pragma once
// A captioned group of radio buttons with an item index, where no item may be selected
// (index -1). Items fill the columns top to bottom, then left to right.

#include <QGroupBox>
#include <QStringList>

#include <vector>

class QButtonGroup;
class QRadioButton;

namespace velmora {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

    int itemIndex() const;
    void setItemIndex(int index);
    int itemCount() const { return static_cast<int>(buttons_.size()); }
    QRadioButton* item(int index) const { return buttons_[static_cast<std::size_t>(index)]; }

private:
    QButtonGroup* group_ = nullptr;
    std::vector<QRadioButton*> buttons_;
};

} // namespace velmora
