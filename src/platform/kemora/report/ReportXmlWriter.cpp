#include "ReportXmlWriter.h"
#include <pugixml.hpp>

namespace km::kemora {

namespace {

class StringWriter : public pugi::xml_writer {
public:
    explicit StringWriter(std::string& text) : m_text(text) {}
    void write(const void* data, size_t size) override { m_text.append(static_cast<const char*>(data), size); }

private:
    std::string& m_text;
};

void appendItems(pugi::xml_node level, const std::vector<ResultItem>& items);

void appendItem(pugi::xml_node level, const ResultItem& item) {
    pugi::xml_node node = level.append_child("KMItem");
    node.append_attribute("Name").set_value(item.name.c_str());
    node.append_attribute("DDID").set_value(item.id);
    node.append_attribute("Class").set_value(item.classNumber);
    for (const ResultProperty& property : item.properties) {
        pugi::xml_node prop = node.append_child("KMProperty");
        prop.append_attribute("KMPrpName").set_value(property.name.c_str());
        prop.append_attribute("KMPrpValue").set_value(property.value.c_str());
        for (const ResultRelated& related : property.related) {
            pugi::xml_node relatedNode = prop.append_child("KMRelatedItem");
            relatedNode.append_attribute("DDID").set_value(related.id);
            relatedNode.text().set(related.name.c_str());
        }
    }
    if (!item.children.empty()) {
        appendItems(node.append_child("KMLevel"), item.children);
    }
}

void appendItems(pugi::xml_node level, const std::vector<ResultItem>& items) {
    for (const ResultItem& item : items) {
        appendItem(level, item);
    }
}

} // namespace

std::string ReportXmlWriter::write(const ReportResult& result) {
    pugi::xml_document document;
    appendItems(document.append_child("KMReport").append_child("KMLevel"), result.items);
    std::string text;
    StringWriter writer(text);
    document.save(writer, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    return text;
}

} // namespace km::kemora
