#include "LandscapeTest.h"
#include "host/IEncyclopedia.h"
#include <ostream>

namespace km::test {

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "(" << box.left << ", " << box.top << ") - (" << box.right << ", " << box.bottom << ")";
}

std::shared_ptr<host::ISymbol> LandscapeTest::symbolAt(const std::string& name, rt::Long type, rt::Long right,
                                                       rt::Long bottom, rt::Long width, rt::Long height) {
    auto symbol = bench.addSymbol(*diagram, name, type);
    symbol->XSize(width);
    symbol->YSize(height);
    symbol->XPos(right);
    symbol->ypos(bottom);
    symbol->save();
    return symbol;
}

std::shared_ptr<host::ISymbol> LandscapeTest::service(const std::string& name,
                                                      const std::vector<std::string>& providers, rt::Long right,
                                                      rt::Long bottom, rt::Long width, rt::Long height) {
    bench.createDefinition(name, 765);
    for (const std::string& provider : providers) {
        application(provider);
        auto app = bench.encyclopedia().definitionNamed(309, provider);
        app->setProperty("Provides Services", app->GetProperty("Provides Services") + name + "\r\n");
        app->save();
    }
    return symbolAt(name, serviceSymbol, right, bottom, width, height);
}

void LandscapeTest::application(const std::string& name) {
    if (!bench.encyclopedia().definitionNamed(309, name)) {
        bench.createDefinition(name, 309);
    }
}

std::shared_ptr<host::IDefinition> LandscapeTest::plan(const std::string& name,
                                                       const std::vector<std::string>& applications) {
    std::string list;
    for (const std::string& app : applications) {
        list += app + "\r\n";
    }
    return bench.createDefinition(name, 624, {{"Application", list}});
}

std::shared_ptr<host::IDefinition> LandscapeTest::landscapeTemplate(const std::string& name,
                                                                    const std::string& content) {
    return bench.createDefinition(name, 625, {{"Content", content}});
}

void LandscapeTest::select(host::ISymbol& symbol, bool selected) {
    symbol.Selected(selected);
    symbol.save();
}

void LandscapeTest::chooseTemplate(const std::string& name) {
    bench.ui().addFormScript("frmLAATemplateSelect", "select lstObjects \"" + name + "\"; click OK");
}

void LandscapeTest::chooseFilter(const std::string& typeName, const std::string& name) {
    bench.ui().addFormScript("frmLAAFilterSelect",
                             "select cboTypes \"" + typeName + "\"; select lstObjects \"" + name + "\"; click OK");
}

void LandscapeTest::chooseColumns(const std::string& text) {
    bench.ui().addFormScript("frmNoOfCols", "type cboNumber \"" + text + "\"; click OK");
}

std::shared_ptr<host::ISymbol> LandscapeTest::stored(const std::string& name, rt::Long type) {
    auto symbols = diagram->GetFilteredSymbols(name, type);
    return symbols->IsMoreThan(0) ? symbols->Item(1) : nullptr;
}

std::vector<std::string> LandscapeTest::namesOfType(rt::Long type) {
    std::vector<std::string> names;
    for (const auto& symbol : diagram->GetFilteredSymbols("", type)) {
        names.push_back(symbol->Name());
    }
    return names;
}

Box LandscapeTest::boxOf(host::ISymbol& symbol) {
    return {symbol.XPos() - symbol.XSize(), symbol.ypos() - symbol.YSize(), symbol.XPos(), symbol.ypos()};
}

std::vector<std::string> LandscapeTest::nestedNames(host::ISymbol& symbol) {
    std::vector<std::string> names;
    for (const auto& nested : symbol.GetRelatedObjects(host::RelNestedSymbols)) {
        names.push_back(nested->Name());
    }
    return names;
}

std::string LandscapeTest::lastStatus() {
    const auto& lines = bench.ui().hostStatusLines();
    return lines.empty() ? std::string() : lines.back();
}

::testing::AssertionResult LandscapeTest::noSymbolsOverlap() {
    std::vector<std::pair<std::string, Box>> boxes;
    for (const auto& symbol : diagram->GetAllSymbols()) {
        boxes.emplace_back(symbol->Name(), boxOf(*symbol));
    }
    auto inside = [](const Box& a, const Box& b) {
        return a.left >= b.left && a.right <= b.right && a.top >= b.top && a.bottom <= b.bottom;
    };
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            const Box& a = boxes[i].second;
            const Box& b = boxes[j].second;
            bool apart = a.right <= b.left || b.right <= a.left || a.bottom <= b.top || b.bottom <= a.top;
            if (!apart && !inside(a, b) && !inside(b, a)) {
                return ::testing::AssertionFailure()
                       << boxes[i].first << " " << a << " overlaps " << boxes[j].first << " " << b;
            }
        }
    }
    return ::testing::AssertionSuccess() << boxes.size() << " symbols";
}

} // namespace km::test
