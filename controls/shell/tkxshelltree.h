#pragma once

#include "controls/shell/tkxcustomshelltree.h"

// The shell tree as forms place it.
class TKxShellTree : public TKxCustomShellTree {
    Q_OBJECT

public:
    using TKxCustomShellTree::TKxCustomShellTree;
};
