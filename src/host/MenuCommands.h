#pragma once
#include "platform/runtime/Types.h"

namespace km::host {

/// Host menu commands the add-in runs through IImf::kmexecutemenucommand. What the host does for
/// each is its own; the workbench records that 71 and 75 ran and lays hierarchies out for 187.
enum MenuCommand : rt::Long {
    MenuRedrawSymbols = 71,      ///< run after symbols were recoloured, resized or removed
    MenuRedrawAnalytic = 75,     ///< run after a simple or complex analytic
    MenuArrangeHierarchies = 187 ///< lays every hierarchy of the current diagram out as a tree
};

} // namespace km::host
