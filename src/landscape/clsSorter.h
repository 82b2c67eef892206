#pragma once
// Orders host objects and the add-in's own objects by a text property: sorted insertion into a
// collection, a sorted copy of a collection, and an in-place quicksort of a two-column text array.
//
// Texts compare exactly, by UTF-16 code units as the platform compares them (km::rt::compareUtf16),
// case-sensitive: "B" sorts before "a", and a character above U+FFFF before U+E000..U+FFFF. Positions are 32-bit, so
// collections and arrays of any size a model can hold are sorted.
#include "host/IDiagram.h"
#include "host/ISymbol.h"
#include "platform/runtime/Collection.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include "platform/runtime/Types.h"
#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace KM_SLN_SOA {

/// A two-dimensional text array: rows LBound..UBound, columns 1..UBoundColumns (1 or 2).
/// Positions outside the bounds raise error 9 (subscript out of range).
class SortTextArray {
public:
    /// Rows \p lngLowerRow .. \p lngUpperRow (none when upper < lower), columns 1 .. \p lngUpperColumn.
    SortTextArray(km::rt::Long lngLowerRow, km::rt::Long lngUpperRow, km::rt::Long lngUpperColumn = 2);

    km::rt::Long LBound() const { return m_lngLowerRow; }
    km::rt::Long UBound() const { return m_lngLowerRow + static_cast<km::rt::Long>(m_rows.size()) - 1; }
    km::rt::Long UBoundColumns() const { return m_lngUpperColumn; }

    std::string& Item(km::rt::Long lngRow, km::rt::Long lngColumn);
    const std::string& Item(km::rt::Long lngRow, km::rt::Long lngColumn) const;

private:
    km::rt::Long m_lngLowerRow;
    km::rt::Long m_lngUpperColumn;
    std::vector<std::array<std::string, 2>> m_rows;
};

class clsSorter {
public:
    template <class T> using ObjectCollection = km::rt::Collection<std::shared_ptr<T>>;
    using SymbolCollection = ObjectCollection<km::host::ISymbol>;

    /// A new collection holding the objects ordered by Name, each name once (the first object of
    /// a name wins); nothing on error (a missing collection, an object whose Name fails).
    template <class T>
    std::shared_ptr<ObjectCollection<T>> SortCollection(const std::shared_ptr<ObjectCollection<T>>& colCollection);

    /// Inserts the object before the first entry whose TypeName is greater; adds nothing when an
    /// entry has the same TypeName. False on error.
    template <class T>
    bool AddKMMetaObjToSortedCollection(ObjectCollection<T>& colCollection, std::shared_ptr<T> objNewItem);
    /// As AddKMMetaObjToSortedCollection, by Name.
    template <class T>
    bool AddKMObjToSortedCollection(ObjectCollection<T>& colCollection, std::shared_ptr<T> objNewItem);

    /// The diagram's symbols of that symbol type, ordered by Name (equal names in no defined
    /// order); nothing on error.
    std::shared_ptr<SymbolCollection> SortSymbols(km::rt::Long strSymbolType,
                                                  const std::shared_ptr<km::host::IDiagram>& dgmDiagram);

    /// Sorts rows intLeft..intRight of the array by column 1, carrying column 2 along. -2 stands
    /// for the array's lower (intLeft) or upper (intRight) bound and is replaced in the caller's
    /// variable. Errors (a row outside the array) propagate.
    void dhQuickSortArray(SortTextArray& varArray, km::rt::Long& intLeft, km::rt::Long& intRight);

    /// Inserts the item before the first entry whose strName is greater (after any equal ones),
    /// keyed by \p strKey unless it is empty. False on error, for example a key already in use;
    /// the collection is then unchanged.
    template <class T>
    bool dhAddToSortedCollection(ObjectCollection<T>& colCollection, std::shared_ptr<T> oItem,
                                 const std::string& strKey);

private:
    void SwapRows(SortTextArray& varArray, km::rt::Long lngRowA, km::rt::Long lngRowB);
    void QuickSortRows(SortTextArray& varArray, km::rt::Long lngLeft, km::rt::Long lngRight);

    template <class T, class KeyOf>
    bool AddUniqueSorted(ObjectCollection<T>& colCollection, const std::shared_ptr<T>& objNewItem, KeyOf keyOf);

    // The sort texts; a missing object raises error 91 (object not set), as reading a property of
    // nothing does.
    template <class T> static T& Require(const std::shared_ptr<T>& object) {
        if (!object) {
            throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
        }
        return *object;
    }
    template <class T> static std::string NameOf(const std::shared_ptr<T>& object) { return Require(object).Name(); }
    template <class T> static std::string TypeNameOf(const std::shared_ptr<T>& object) {
        return Require(object).TypeName();
    }
    // Add-in objects carry strName as a member or as an accessor.
    template <class T> static std::string StrNameOf(const std::shared_ptr<T>& object) {
        T& item = Require(object);
        if constexpr (requires { item.strName(); }) {
            return item.strName();
        } else {
            return item.strName;
        }
    }
};

template <class T, class KeyOf>
bool clsSorter::AddUniqueSorted(ObjectCollection<T>& colCollection, const std::shared_ptr<T>& objNewItem, KeyOf keyOf) {
    try {
        const std::string strNew = keyOf(objNewItem);
        for (km::rt::Long i = 1; i <= colCollection.count(); ++i) {
            const std::string strEntry = keyOf(colCollection.Item(i));
            if (strEntry == strNew) {
                return true;
            }
            if (km::rt::lessUtf16(strNew, strEntry)) {
                colCollection.Add(objNewItem, {}, i);
                return true;
            }
        }
        colCollection.Add(objNewItem);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

template <class T>
bool clsSorter::AddKMMetaObjToSortedCollection(ObjectCollection<T>& colCollection, std::shared_ptr<T> objNewItem) {
    return AddUniqueSorted(colCollection, objNewItem, &clsSorter::TypeNameOf<T>);
}

template <class T>
bool clsSorter::AddKMObjToSortedCollection(ObjectCollection<T>& colCollection, std::shared_ptr<T> objNewItem) {
    return AddUniqueSorted(colCollection, objNewItem, &clsSorter::NameOf<T>);
}

// The same result as inserting every object in turn with AddKMObjToSortedCollection, without its
// quadratic number of Name reads: a stable sort keeps the first object of each name in front of
// the later ones, which are then dropped.
template <class T>
std::shared_ptr<clsSorter::ObjectCollection<T>>
clsSorter::SortCollection(const std::shared_ptr<ObjectCollection<T>>& colCollection) {
    try {
        if (!colCollection) {
            throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
        }
        std::vector<std::pair<std::string, std::shared_ptr<T>>> named;
        named.reserve(static_cast<std::size_t>(colCollection->count()));
        for (const std::shared_ptr<T>& object : *colCollection) {
            named.emplace_back(NameOf(object), object);
        }
        std::stable_sort(named.begin(), named.end(), [](const auto& left, const auto& right) {
            return km::rt::lessUtf16(left.first, right.first);
        });
        auto colSorted = std::make_shared<ObjectCollection<T>>();
        for (std::size_t i = 0; i < named.size(); ++i) {
            if (i == 0 || named[i].first != named[i - 1].first) {
                colSorted->Add(named[i].second);
            }
        }
        return colSorted;
    } catch (const std::exception&) {
        return nullptr;
    }
}

template <class T>
bool clsSorter::dhAddToSortedCollection(ObjectCollection<T>& colCollection, std::shared_ptr<T> oItem,
                                        const std::string& strKey) {
    try {
        const std::string strNew = StrNameOf(oItem);
        for (km::rt::Long i = 1; i <= colCollection.count(); ++i) {
            if (km::rt::lessUtf16(strNew, StrNameOf(colCollection.Item(i)))) {
                colCollection.Add(oItem, strKey, i);
                return true;
            }
        }
        colCollection.Add(oItem, strKey);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace KM_SLN_SOA
