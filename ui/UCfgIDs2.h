#pragma once
// TCfgIDs2: the configuration editor of configuration type 2.

#include "ui/ConfigBitsEditor.h"

namespace velmora {

class TCfgIDs2 : public ConfigBitsEditor {
    Q_OBJECT
public:
    explicit TCfgIDs2(QWidget* parent = nullptr);
};

} // namespace velmora
