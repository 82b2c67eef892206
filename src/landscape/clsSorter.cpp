#include "clsSorter.h"
#include "platform/runtime/Numeric.h"
#include <cstdint>

namespace KM_SLN_SOA {

namespace {

using km::rt::ErrorNumber;
using km::rt::Long;
using km::rt::RuntimeError;

constexpr Long arrayBound = -2;
constexpr Long sortColumn = 1;
constexpr Long rowNumberColumn = 2;

} // namespace

SortTextArray::SortTextArray(Long lngLowerRow, Long lngUpperRow, Long lngUpperColumn)
    : m_lngLowerRow(lngLowerRow), m_lngUpperColumn(lngUpperColumn) {
    if (lngUpperColumn < 1 || lngUpperColumn > 2) {
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    }
    const std::int64_t rows = std::int64_t(lngUpperRow) - lngLowerRow + 1;
    if (rows > 0) {
        m_rows.resize(static_cast<std::size_t>(rows));
    }
}

std::string& SortTextArray::Item(Long lngRow, Long lngColumn) {
    return const_cast<std::string&>(std::as_const(*this).Item(lngRow, lngColumn));
}

const std::string& SortTextArray::Item(Long lngRow, Long lngColumn) const {
    const std::int64_t row = std::int64_t(lngRow) - m_lngLowerRow;
    if (row < 0 || row >= static_cast<std::int64_t>(m_rows.size()) || lngColumn < 1 || lngColumn > m_lngUpperColumn) {
        throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
    }
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(lngColumn - 1)];
}

std::shared_ptr<clsSorter::SymbolCollection>
clsSorter::SortSymbols(Long strSymbolType, const std::shared_ptr<km::host::IDiagram>& dgmDiagram) {
    try {
        auto colSymbols = Require(dgmDiagram).GetFilteredSymbols("", strSymbolType);
        colSymbols->readall();
        const Long lngCount = colSymbols->count();
        SortTextArray varNames(1, lngCount, 2);
        for (Long i = 1; i <= lngCount; ++i) {
            varNames.Item(i, sortColumn) = colSymbols->Item(i)->Name();
            varNames.Item(i, rowNumberColumn) = std::to_string(i);
        }
        Long lngLeft = arrayBound;
        Long lngRight = arrayBound;
        dhQuickSortArray(varNames, lngLeft, lngRight);
        auto colSorted = std::make_shared<SymbolCollection>();
        for (Long i = 1; i <= lngCount; ++i) {
            colSorted->Add(colSymbols->Item(km::rt::CLng(km::rt::Val(varNames.Item(i, rowNumberColumn)))));
        }
        return colSorted;
    } catch (const std::exception&) {
        return nullptr;
    }
}

void clsSorter::dhQuickSortArray(SortTextArray& varArray, Long& intLeft, Long& intRight) {
    if (intLeft == arrayBound) {
        intLeft = varArray.LBound();
    }
    if (intRight == arrayBound) {
        intRight = varArray.UBound();
    }
    QuickSortRows(varArray, intLeft, intRight);
}

// Hoare partition around the middle row. Of the two parts, the smaller is sorted by recursion and
// the larger by the loop, so the recursion never gets deeper than log2 of the row count, whatever
// the input's order.
void clsSorter::QuickSortRows(SortTextArray& varArray, Long lngLeft, Long lngRight) {
    while (lngLeft < lngRight) {
        const Long lngMiddle = static_cast<Long>((std::int64_t(lngLeft) + lngRight) / 2);
        const std::string strPivot = varArray.Item(lngMiddle, sortColumn);
        Long i = lngLeft;
        Long j = lngRight;
        do {
            while (km::rt::lessUtf16(varArray.Item(i, sortColumn), strPivot)) {
                ++i;
            }
            while (km::rt::lessUtf16(strPivot, varArray.Item(j, sortColumn))) {
                --j;
            }
            if (i <= j) {
                SwapRows(varArray, i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        if (std::int64_t(j) - lngLeft < std::int64_t(lngRight) - i) {
            QuickSortRows(varArray, lngLeft, j);
            lngLeft = i;
        } else {
            QuickSortRows(varArray, i, lngRight);
            lngRight = j;
        }
    }
}

void clsSorter::SwapRows(SortTextArray& varArray, Long lngRowA, Long lngRowB) {
    std::swap(varArray.Item(lngRowA, sortColumn), varArray.Item(lngRowB, sortColumn));
    if (varArray.UBoundColumns() == 2) {
        std::swap(varArray.Item(lngRowA, rowNumberColumn), varArray.Item(lngRowB, rowNumberColumn));
    }
}

} // namespace KM_SLN_SOA
