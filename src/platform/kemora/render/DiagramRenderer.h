#pragma once
#include "platform/kemora/metamodel/Metamodel.h"
#include "platform/kemora/storage/IStore.h"
#include <ostream>
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace km::kemora {

/// Draws a diagram as SVG, as a user would see it: symbols as boxes in their fill colour with
/// their names fitted inside, containers before the symbols they hold, text symbols (type 1) as
/// plain text, rectangles (type 2), document blocks (type 4) with a wavy bottom edge, hierarchy
/// links (relation 41) as lines from parent to child, and the colour key frame "Key" with its
/// swatches and labels. One drawing unit is one SVG user unit; y grows downwards. The SVG is
/// written symbol by symbol, so that huge diagrams render in little memory beyond their rows.
class DiagramRenderer {
public:
    DiagramRenderer(IStore& store, const Metamodel& metamodel) : m_store(store), m_metamodel(metamodel) {}

    /// Writes the SVG of a diagram. HostError NotFound for an id that is not a diagram.
    void render(Long diagram, std::ostream& out);

    /// The SVG colour of a colour number (red + 256 * green + 65536 * blue): "#rrggbb"; "none"
    /// for negative numbers; bits above the 24 colour bits are ignored.
    static std::string svgColour(Long colour);

private:
    enum class Shape { Text, Rectangle, DocumentBlock, Definition, Swatch };
    struct Item {
        SymbolRow row;
        Shape shape = Shape::Rectangle;
        double fontSize = 0;
        bool container = false; ///< holds other symbols: its name goes at the top
    };
    struct Bounds {
        double left = 0, top = 0, right = 0, bottom = 0;
    };

    std::vector<Item> loadItems(Long diagram);
    void classify(Long diagram, std::vector<Item>& items);
    static void sortForDrawing(std::vector<Item>& items);
    static Bounds boundsOf(const std::vector<Item>& items);
    void writeStart(std::ostream& out, const std::string& title, const Bounds& bounds);
    void writeSymbol(std::ostream& out, const Item& item);
    void writeLinks(std::ostream& out, const std::vector<Item>& items);
    static void addShape(pugi::xml_node group, const Item& item);
    static void addName(pugi::xml_node group, const Item& item);
    static void addTextSymbol(pugi::xml_node group, const Item& item);

    IStore& m_store;
    const Metamodel& m_metamodel;
};

} // namespace km::kemora
