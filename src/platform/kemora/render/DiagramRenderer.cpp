#include "DiagramRenderer.h"
#include "TextLayout.h"
#include "host/HostError.h"
#include "host/SymbolFields.h"
#include "platform/kemora/exchange/XmlText.h"
#include "platform/kemora/objects/SymbolNesting.h"
#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <sstream>

namespace km::kemora {

namespace {

constexpr double margin = 20;
constexpr double padX = 4;
constexpr double padY = 3;
constexpr Long textType = 1, rectangleType = 2, documentBlockType = 4;
constexpr const char* strokeColour = "#404040";

std::string number(double value) {
    char text[32];
    auto [end, error] =
        std::to_chars(text, text + sizeof text, std::round(value * 100) / 100, std::chars_format::fixed);
    std::string result(text, error == std::errc() ? end : text);
    if (result.find('.') != std::string::npos) {
        while (result.back() == '0') {
            result.pop_back();
        }
        if (result.back() == '.') {
            result.pop_back();
        }
    }
    return result == "-0" ? "0" : result;
}

// Dark fills get white text: those whose relative luminance gives white text the higher contrast.
bool isDark(Long colour) {
    if (colour < 0) {
        return false;
    }
    auto linear = [](unsigned channel) {
        double value = channel / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    unsigned rgb = static_cast<unsigned>(colour);
    double luminance =
        0.2126 * linear(rgb & 0xFF) + 0.7152 * linear((rgb >> 8) & 0xFF) + 0.0722 * linear((rgb >> 16) & 0xFF);
    return luminance < 0.179;
}

void print(const pugi::xml_node& node, std::ostream& out, unsigned depth = 1) {
    node.print(out, " ", pugi::format_indent, pugi::encoding_utf8, depth);
}

} // namespace

std::string DiagramRenderer::svgColour(Long colour) {
    if (colour < 0) {
        return "none";
    }
    static const char* digits = "0123456789abcdef";
    unsigned rgb[3] = {static_cast<unsigned>(colour) & 0xFF, (static_cast<unsigned>(colour) >> 8) & 0xFF,
                       (static_cast<unsigned>(colour) >> 16) & 0xFF};
    std::string text = "#";
    for (unsigned part : rgb) {
        text += digits[part >> 4];
        text += digits[part & 15];
    }
    return text;
}

std::vector<DiagramRenderer::Item> DiagramRenderer::loadItems(Long diagram) {
    std::vector<Item> items;
    std::vector<Long> ids = m_store.symbolsOfDiagram(diagram);
    items.reserve(ids.size());
    for (Long id : ids) {
        auto row = m_store.symbol(id);
        if (!row) {
            continue;
        }
        Item item;
        item.row = std::move(*row);
        item.fontSize = TextLayout::fontSizeFromField(m_store.field(id, host::FieldFontSize).value_or(""));
        items.push_back(std::move(item));
    }
    classify(diagram, items);
    return items;
}

void DiagramRenderer::classify(Long diagram, std::vector<Item>& items) {
    // The key frame in use is the first rectangle named "Key"; the rectangles inside it are its
    // swatches, which show their colour only (their names are the labels beside them).
    std::vector<Long> keys = m_store.symbolsOfDiagram(diagram, rectangleType, "Key");
    std::optional<SymbolRow> key = keys.empty() ? std::nullopt : m_store.symbol(keys.front());
    for (Item& item : items) {
        const SymbolRow& row = item.row;
        Long type = row.object.type;
        if (type == textType) {
            item.shape = Shape::Text;
            continue;
        }
        if (type == rectangleType) {
            item.shape = key && row.object.id != key->object.id &&
                                 SymbolNesting::inside(row.object.id, row.geometry, key->object.id, key->geometry)
                             ? Shape::Swatch
                             : Shape::Rectangle;
        } else if (type == documentBlockType) {
            item.shape = Shape::DocumentBlock;
        } else {
            const SymbolType* symbolType = m_metamodel.symbolType(type);
            item.shape = symbolType && symbolType->definitionType != 0 ? Shape::Definition : Shape::Rectangle;
        }
        if (item.shape == Shape::Swatch) {
            continue;
        }
        for (const SymbolRow& inner : m_store.symbolsWithin(diagram, row.geometry)) {
            if (inner.object.id != row.object.id &&
                SymbolNesting::inside(inner.object.id, inner.geometry, row.object.id, row.geometry)) {
                item.container = true;
                break;
            }
        }
    }
}

void DiagramRenderer::sortForDrawing(std::vector<Item>& items) {
    // Containers before their contents: a symbol lying inside another is never larger, and among
    // equal rectangles the later one lies inside the earlier. Text is drawn last, over any box.
    auto area = [](const Item& item) {
        return static_cast<double>(item.row.geometry.xsize) * static_cast<double>(item.row.geometry.ysize);
    };
    std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        bool aText = a.shape == Shape::Text, bText = b.shape == Shape::Text;
        if (aText != bText) {
            return bText;
        }
        if (area(a) != area(b)) {
            return area(a) > area(b);
        }
        return a.row.object.id < b.row.object.id;
    });
}

DiagramRenderer::Bounds DiagramRenderer::boundsOf(const std::vector<Item>& items) {
    if (items.empty()) {
        return {0, 0, 200, 60};
    }
    Bounds bounds{1e18, 1e18, -1e18, -1e18};
    for (const Item& item : items) {
        const Geometry& g = item.row.geometry;
        bounds.left = std::min(bounds.left, static_cast<double>(g.xpos) - g.xsize);
        bounds.top = std::min(bounds.top, static_cast<double>(g.ypos) - g.ysize);
        bounds.right = std::max(bounds.right, static_cast<double>(g.xpos));
        bounds.bottom = std::max(bounds.bottom, static_cast<double>(g.ypos));
    }
    return bounds;
}

void DiagramRenderer::render(Long diagram, std::ostream& out) {
    // One consistent state even while another process writes, and one read lock for all reads.
    ReadSnapshot snapshot(m_store);
    auto row = m_store.object(diagram);
    if (!row || row->cls != StoredClass::Diagram) {
        throw host::HostError(host::HostErrorCode::NotFound, "There is no diagram " + std::to_string(diagram) + ".");
    }
    std::vector<Item> items = loadItems(diagram);
    sortForDrawing(items);
    writeStart(out, row->name, boundsOf(items));
    if (items.empty()) {
        out << " <text x=\"100\" y=\"30\" text-anchor=\"middle\" font-size=\"10\" fill=\"#808080\">(empty "
               "diagram)</text>\n";
    }
    for (const Item& item : items) {
        writeSymbol(out, item);
    }
    writeLinks(out, items);
    out << "</svg>\n";
}

void DiagramRenderer::writeStart(std::ostream& out, const std::string& title, const Bounds& bounds) {
    double left = bounds.left - margin, top = bounds.top - margin;
    double width = bounds.right - bounds.left + 2 * margin, height = bounds.bottom - bounds.top + 2 * margin;
    pugi::xml_document document;
    pugi::xml_node svg = document.append_child("svg");
    svg.append_attribute("xmlns") = "http://www.w3.org/2000/svg";
    svg.append_attribute("viewBox") =
        (number(left) + " " + number(top) + " " + number(width) + " " + number(height)).c_str();
    svg.append_attribute("width") = number(width).c_str();
    svg.append_attribute("height") = number(height).c_str();
    svg.append_attribute("font-family") = "DejaVu Sans, Arial, Helvetica, sans-serif";
    svg.append_child("title").text().set(XmlText::displayable(title).c_str());
    pugi::xml_node background = svg.append_child("rect");
    background.append_attribute("x") = number(left).c_str();
    background.append_attribute("y") = number(top).c_str();
    background.append_attribute("width") = number(width).c_str();
    background.append_attribute("height") = number(height).c_str();
    background.append_attribute("fill") = "#ffffff";
    // The start tag and the first children are written as a document, and the rest streamed
    // after it; so the closing tag is cut off here.
    std::ostringstream text;
    document.save(text, " ", pugi::format_indent, pugi::encoding_utf8);
    std::string head = text.str();
    head.erase(head.rfind("</svg>"));
    out << head;
}

void DiagramRenderer::addShape(pugi::xml_node group, const Item& item) {
    const Geometry& g = item.row.geometry;
    double left = static_cast<double>(g.xpos) - g.xsize, top = static_cast<double>(g.ypos) - g.ysize;
    double width = g.xsize, height = g.ysize;
    pugi::xml_node shape;
    if (item.shape == Shape::DocumentBlock) {
        // Straight top and sides; the bottom edge a wave between bottom - 2a and bottom.
        double wave = std::min(height / 8, 8.0), right = left + width, bottom = top + height;
        shape = group.append_child("path");
        std::string path = "M" + number(left) + "," + number(top) + " H" + number(right) + " V" +
                           number(bottom - wave) + " Q" + number(right - width / 4) + "," + number(bottom + wave) +
                           " " + number(left + width / 2) + "," + number(bottom - wave) + " T" + number(left) + "," +
                           number(bottom - wave) + " Z";
        shape.append_attribute("d") = path.c_str();
    } else {
        shape = group.append_child("rect");
        shape.append_attribute("x") = number(left).c_str();
        shape.append_attribute("y") = number(top).c_str();
        shape.append_attribute("width") = number(width).c_str();
        shape.append_attribute("height") = number(height).c_str();
        if (item.shape == Shape::Definition) {
            shape.append_attribute("rx") = number(std::min({4.0, width / 4, height / 4})).c_str();
        }
    }
    shape.append_attribute("fill") = svgColour(item.row.fillColor).c_str();
    shape.append_attribute("stroke") = strokeColour;
    shape.append_attribute("stroke-width") = "1";
    if (item.row.selected) {
        pugi::xml_node outline = group.append_child("rect");
        outline.append_attribute("class") = "selection";
        outline.append_attribute("x") = number(left - 2).c_str();
        outline.append_attribute("y") = number(top - 2).c_str();
        outline.append_attribute("width") = number(width + 4).c_str();
        outline.append_attribute("height") = number(height + 4).c_str();
        outline.append_attribute("fill") = "none";
        outline.append_attribute("stroke") = "#1a73e8";
        outline.append_attribute("stroke-dasharray") = "4 2";
    }
}

void DiagramRenderer::addName(pugi::xml_node group, const Item& item) {
    const Geometry& g = item.row.geometry;
    double fontSize = item.fontSize, lineHeight = TextLayout::lineHeight(fontSize);
    std::vector<std::string> lines =
        TextLayout::wrap(XmlText::displayable(item.row.object.name), fontSize, g.xsize - 2 * padX, g.ysize - 2 * padY);
    if (lines.empty()) {
        return;
    }
    double top = static_cast<double>(g.ypos) - g.ysize;
    // Containers carry their name as a title at the top; other symbols centre it.
    double firstTop = item.container ? top + padY : top + (g.ysize - lines.size() * lineHeight) / 2;
    pugi::xml_node text = group.append_child("text");
    text.append_attribute("x") = number(static_cast<double>(g.xpos) - g.xsize / 2.0).c_str();
    text.append_attribute("y") = number(firstTop + (lineHeight + fontSize * 0.7) / 2).c_str();
    text.append_attribute("font-size") = number(fontSize).c_str();
    text.append_attribute("text-anchor") = "middle";
    text.append_attribute("fill") = isDark(item.row.fillColor) ? "#ffffff" : "#000000";
    if (item.container) {
        text.append_attribute("font-weight") = "bold";
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        pugi::xml_node span = text.append_child("tspan");
        span.append_attribute("x") = text.attribute("x").value();
        if (i > 0) {
            span.append_attribute("dy") = number(lineHeight).c_str();
        }
        span.text().set(lines[i].c_str());
    }
}

void DiagramRenderer::addTextSymbol(pugi::xml_node group, const Item& item) {
    const Geometry& g = item.row.geometry;
    std::string name = XmlText::displayable(item.row.object.name);
    if (name.empty()) {
        return;
    }
    pugi::xml_node text = group.append_child("text");
    text.append_attribute("x") = number(static_cast<double>(g.xpos) - g.xsize).c_str();
    text.append_attribute("y") = number(static_cast<double>(g.ypos) - g.ysize / 2.0 + item.fontSize * 0.35).c_str();
    text.append_attribute("font-size") = number(item.fontSize).c_str();
    text.append_attribute("fill") = "#000000";
    text.text().set(name.c_str());
}

void DiagramRenderer::writeSymbol(std::ostream& out, const Item& item) {
    static const std::map<Shape, const char*> classes = {{Shape::Text, "text"},
                                                         {Shape::Rectangle, "rectangle"},
                                                         {Shape::DocumentBlock, "document-block"},
                                                         {Shape::Definition, "definition"},
                                                         {Shape::Swatch, "swatch"}};
    pugi::xml_document document;
    pugi::xml_node group = document.append_child("g");
    std::string cls = std::string("symbol ") + classes.at(item.shape) + (item.container ? " container" : "");
    group.append_attribute("class") = cls.c_str();
    group.append_attribute("data-type") = item.row.object.type;
    // The full name as a tooltip, since the drawn one may be cut to fit.
    if (!item.row.object.name.empty()) {
        group.append_child("title").text().set(XmlText::displayable(item.row.object.name).c_str());
    }
    if (item.shape == Shape::Text) {
        addTextSymbol(group, item);
    } else {
        addShape(group, item);
        if (item.shape != Shape::Swatch) {
            addName(group, item);
        }
    }
    print(group, out);
}

void DiagramRenderer::writeLinks(std::ostream& out, const std::vector<Item>& items) {
    std::map<Long, const Geometry*> geometry;
    for (const Item& item : items) {
        geometry[item.row.object.id] = &item.row.geometry;
    }
    bool opened = false;
    for (const Item& item : items) {
        const Geometry& parent = item.row.geometry;
        for (Long child : m_store.hierarchyChildren(item.row.object.id)) {
            auto found = geometry.find(child);
            if (found == geometry.end()) {
                continue;
            }
            if (!opened) {
                out << " <g class=\"links\" stroke=\"" << strokeColour << "\" stroke-width=\"1\" fill=\"none\">\n";
            }
            opened = true;
            const Geometry& to = *found->second;
            // From the middle of the parent's bottom edge to the middle of the child's top edge.
            pugi::xml_document document;
            pugi::xml_node line = document.append_child("line");
            line.append_attribute("x1") = number(parent.xpos - parent.xsize / 2.0).c_str();
            line.append_attribute("y1") = number(parent.ypos).c_str();
            line.append_attribute("x2") = number(to.xpos - to.xsize / 2.0).c_str();
            line.append_attribute("y2") = number(static_cast<double>(to.ypos) - to.ysize).c_str();
            print(line, out, 2);
        }
    }
    if (opened) {
        out << " </g>\n";
    }
}

} // namespace km::kemora
