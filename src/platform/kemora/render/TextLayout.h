#pragma once
#include <string>
#include <vector>

namespace km::kemora {

/// How names are fitted into symbols on a rendered diagram. Sizes are in drawing units: the
/// host's text symbols take 6 units a character and 12 units a line, which a font of 10 units
/// (8 pt) fills, so one point is 1.25 units.
class TextLayout {
public:
    /// The font size of a symbol without field 15: 8 pt.
    static constexpr double defaultFontSize = 10.0;

    /// The font size in units from symbol field 15, "0x" + hex of the size in tenths of a point
    /// ("0x0050" = 8 pt = 10 units, "0x0064" = 10 pt = 12.5 units). The default for an empty,
    /// malformed or zero field; sizes are limited to 1..1000 pt.
    static double fontSizeFromField(const std::string& field);
    static double charWidth(double fontSize) { return fontSize * 0.6; }
    static double lineHeight(double fontSize) { return fontSize * 1.2; }

    /// The lines of \p text wrapped at blanks (and line breaks) to fit \p width, with words longer
    /// than a line cut; at most as many lines as fit \p height. When the text does not fit, the
    /// last line kept ends in an ellipsis. No lines when not even one character fits.
    static std::vector<std::string> wrap(const std::string& text, double fontSize, double width, double height);
};

} // namespace km::kemora
