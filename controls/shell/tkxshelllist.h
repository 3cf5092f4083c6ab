#pragma once

#include "controls/shell/tkxcustomshelllist.h"

// The shell list as forms place it.
class TKxShellList : public TKxCustomShellList {
    Q_OBJECT

public:
    using TKxCustomShellList::TKxCustomShellList;
};
