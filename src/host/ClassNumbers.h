#pragma once
#include "platform/runtime/Types.h"

namespace km::host {

/// Class numbers of repository objects, as reports give them in "Class Number" and the metamodel
/// numbers its meta classes; the store keeps them as they are.
enum class ObjectClass : rt::Long { Diagram = 1, Symbol = 2, Definition = 3 };

} // namespace km::host
