#pragma once
// The spreadsheet automation numbers the roadmap passes, with the values the spreadsheet
// application's automation interface gives them.

namespace km::excel::xl {

inline constexpr int Automatic = -4105; ///< automatic colour (pattern or border colour)
inline constexpr int None = -4142;      ///< no line, no fill

inline constexpr int Solid = 1;      ///< interior pattern: solid fill
inline constexpr int Continuous = 1; ///< border line style: a continuous line
inline constexpr int Dash = -4115;
inline constexpr int Dot = -4118;
inline constexpr int Double = -4119;

inline constexpr int Hairline = 1; ///< border weights
inline constexpr int Thin = 2;
inline constexpr int Medium = -4138;
inline constexpr int Thick = 4;

inline constexpr int EdgeLeft = 7; ///< border indexes
inline constexpr int EdgeTop = 8;
inline constexpr int EdgeBottom = 9;
inline constexpr int EdgeRight = 10;

inline constexpr int Maximized = -4137; ///< window states
inline constexpr int Minimized = -4140;
inline constexpr int Normal = -4143;

inline constexpr long MaxRows = 1048576; ///< the size of a worksheet
inline constexpr long MaxColumns = 16384;

/// The error the automation interface raises for a call it cannot carry out.
inline constexpr int ObjectDefinedError = 1004;

} // namespace km::excel::xl
