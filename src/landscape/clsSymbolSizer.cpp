#include "clsSymbolSizer.h"
#include "addin/ErrorMessages.h"
#include "basLandscape.h"
#include "host/IImf.h"
#include "host/SymbolFields.h"
#include "platform/runtime/Numeric.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>

namespace KM_SLN_SOA {

using km::host::ISymbol;
using km::rt::Long;

namespace {

constexpr Long startNarrowest = 99999999;
constexpr Long startChildWidth = 500;
constexpr Long startChildHeight = 250;
constexpr Long headerRoom = 35;
constexpr Long horizontalGap = 2;
constexpr Long verticalGap = 3;

Long NestedCount(ISymbol& symbol) {
    return symbol.GetRelatedObjects(km::host::RelNestedSymbols)->count();
}

// Cell sizes are rounded half to even and never below 1: a container too small for its content,
// or more columns than units of width, would otherwise give symbols of no or negative size.
Long CellSize(double value) {
    return km::rt::CLng(std::max(1.0, km::rt::RoundHalfEven(value)));
}

} // namespace

void clsSymbolSizer::SizeCollections(const SymbolCollection& colSyms, Long lngMaxNoColsForNarrowestCoolection) {
    Long lngNarrowest = startNarrowest;
    Long lngChildWidth = startChildWidth;
    Long lngChildHeight = startChildHeight;
    for (const auto& symContainer : colSyms) {
        try {
            lngNarrowest = std::min(lngNarrowest, symContainer->XSize());
        } catch (const std::exception&) {
            // A container that cannot be read takes no part in the narrowest width.
        }
    }
    for (const auto& symContainer : colSyms) {
        try {
            ComputeChildSize(*symContainer, lngChildWidth, lngChildHeight, lngMaxNoColsForNarrowestCoolection,
                             lngNarrowest);
        } catch (const std::exception&) {
            // A container that cannot be read leaves the shared size as it is.
        }
    }
    for (const auto& symContainer : colSyms) {
        try {
            ArrangeChildren(*symContainer, lngChildWidth, lngChildHeight);
        } catch (const std::exception&) {
            // A container that cannot be read keeps its content as it is.
        }
    }
    try {
        LandscapeImf().KMSetDiagramDirty();
        LandscapeImf().kmexecutemenucommand(71);
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsSymbolSizer::ComputeChildSize(ISymbol& container, Long& lngChildWidth, Long& lngChildHeight, Long lngMinCols,
                                      Long lngNarrowest) {
    const Long n = NestedCount(container);
    if (n == 0) {
        return;
    }
    const Long lngWidth = container.XSize();
    if (lngNarrowest == 0) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::DivisionByZero);
    }
    // Whole narrowest widths in this container, times the narrowest container's columns. Kept in
    // floating point: a huge column count must not overflow before the sizes are clamped.
    const double dblColumns =
        km::rt::RoundHalfEven(static_cast<double>(lngWidth - lngWidth % lngNarrowest) / lngNarrowest * lngMinCols);
    if (dblColumns == 0) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::DivisionByZero);
    }
    double dblRows = km::rt::RoundHalfEven(n / dblColumns);
    if (dblRows == 0) {
        dblRows = 1;
    }
    if (dblRows * dblColumns < n && std::fmod(n, dblRows * dblColumns) > 0) {
        dblRows = dblRows + 1;
    }
    const double dblInnerWidth = lngWidth - horizontalGap;
    const double dblInnerHeight = km::rt::RoundHalfEven(container.YSize() - headerRoom);
    const Long lngWidthHere = CellSize(dblInnerWidth / dblColumns - horizontalGap);
    const Long lngHeightHere = CellSize(dblInnerHeight / dblRows - verticalGap);
    lngChildWidth = std::min(lngChildWidth, lngWidthHere);
    lngChildHeight = std::min(lngChildHeight, lngHeightHere);
}

void clsSymbolSizer::ArrangeChildren(ISymbol& container, Long lngChildWidth, Long lngChildHeight) {
    const Long lngRightEdge = container.XPos();
    const Long lngLeft = lngRightEdge - container.XSize() + horizontalGap;
    const Long lngTop = container.ypos() + headerRoom - container.YSize() - verticalGap;
    auto colNested = container.GetRelatedObjects(km::host::RelNestedSymbols);
    try {
        Long lngRow = 0;
        Long lngColumn = 0;
        for (Long i = 1; i <= colNested->count(); ++i) {
            auto symChild = std::dynamic_pointer_cast<ISymbol>(colNested->Item(i));
            if (!symChild) {
                throw km::rt::RuntimeError(km::rt::ErrorNumber::TypeMismatch);
            }
            // Containers inside a container keep their size and place and take no cell.
            if (NestedCount(*symChild) > 0) {
                continue;
            }
            LandscapeSetStatus("Resizing and Repositioning " + symChild->Name());
            LandscapeDoEvents();
            Long lngRight = (lngChildWidth + horizontalGap) * lngColumn + lngLeft + lngChildWidth;
            // A cell that does not fit beside the others starts a new row. One that does not fit
            // even in the first column goes there anyway, so that the search always ends.
            if (lngRight > lngRightEdge && lngColumn > 0) {
                lngColumn = 0;
                ++lngRow;
                lngRight = lngLeft + lngChildWidth;
            }
            const Long lngBottom = (lngChildHeight + verticalGap) * lngRow + lngTop + lngChildHeight;
            PlaceChild(*symChild, lngRight, lngBottom, lngChildWidth, lngChildHeight);
            ++lngColumn;
        }
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}

void clsSymbolSizer::PlaceChild(ISymbol& child, Long lngRight, Long lngBottom, Long lngWidth, Long lngHeight) {
    child.XSize(lngWidth);
    child.YSize(lngHeight);
    child.XPos(lngRight);
    child.ypos(lngBottom);
    child.setField(km::host::FieldFontSize, TextSizeField(TextSizeFor(lngWidth, lngHeight, km::rt::Len(child.Name()))));
    child.save();
}

Long clsSymbolSizer::TextSizeFor(Long lngWidth, Long lngHeight, Long lngNameLength) {
    // Rows: width band and whether the height is above the band's limit; columns: name length
    // 1-20, 21-30, 31-50, any other.
    static constexpr Long textSizes[6][4] = {
        {50, 45, 40, 30}, {40, 35, 30, 20},     {80, 65, 60, 50},
        {70, 65, 60, 50}, {160, 130, 120, 100}, {120, 100, 90, 65},
    };
    int intBand = 0;
    Long lngHeightLimit = 15;
    if (lngWidth >= 180) {
        intBand = 2;
        lngHeightLimit = 50;
    } else if (lngWidth >= 90) {
        intBand = 1;
        lngHeightLimit = 25;
    }
    const int intRow = intBand * 2 + (lngHeight > lngHeightLimit ? 0 : 1);
    int intColumn = 3;
    if (lngNameLength >= 1 && lngNameLength <= 20) {
        intColumn = 0;
    } else if (lngNameLength >= 21 && lngNameLength <= 30) {
        intColumn = 1;
    } else if (lngNameLength >= 31 && lngNameLength <= 50) {
        intColumn = 2;
    }
    return textSizes[intRow][intColumn];
}

std::string clsSymbolSizer::TextSizeField(Long lngSize) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(lngSize));
    return std::string("0x00") + buffer;
}

} // namespace KM_SLN_SOA
