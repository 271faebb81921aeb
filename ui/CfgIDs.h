#pragma once
// TCfgIDs1: the configuration editor of configuration type 1.

#include "ui/ConfigBitsEditor.h"

namespace velmora {

class TCfgIDs1 : public ConfigBitsEditor {
    Q_OBJECT
public:
    explicit TCfgIDs1(QWidget* parent = nullptr);
};

} // namespace velmora
