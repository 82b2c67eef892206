#pragma once
#include "platform/runtime/Types.h"

namespace km::host {

/// Numbered symbol fields (ISymbol::setField / GetField) the add-in and the workbench use. The
/// host defines their meaning; where the workbench gives one, it is noted.
enum SymbolField : rt::Long {
    FieldFontSize = 15,     ///< "0x" + hex of the font size in tenths of a point (the renderer reads it)
    FieldTextFlags = 16,    ///< host-defined; the colour key writes "0x0000" on its labels
    FieldTextStyle = 18,    ///< host-defined; the colour key writes "0x0421" on its labels
    FieldTextSize = 20,     ///< "w h": the size given to a label's text
    FieldTextExtent = 21,   ///< read: "w h", the width and height a text symbol's text needs
    FieldTextPosition = 22, ///< "x y": where a label's text stands
    FieldSwatchFlags = 120, ///< host-defined; the colour key writes "-1" on its swatches
    FieldSwatchStyle = 121, ///< host-defined; the colour key writes "0xfefd" on its swatches
};

} // namespace km::host
