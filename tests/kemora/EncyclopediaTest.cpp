#include "host/HostError.h"
#include "host/IDefinition.h"
#include "host/IDiagram.h"
#include "host/IMetaModel.h"
#include "host/IPropertyCollection.h"
#include "host/ISymbol.h"
#include "platform/kemora/objects/Symbol.h"
#include "support/TempFolder.h"
#include "support/TestEncyclopedia.h"
#include <gtest/gtest.h>

using namespace km;
using host::HostError;
using host::HostErrorCode;
using km::rt::Long;
using km::test::newEncyclopedia;
using km::test::Solution;

namespace {

HostErrorCode codeOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const HostError& error) {
        return error.code();
    }
    return HostErrorCode{};
}

std::vector<std::string> names(const host::CollectionPtr<host::IKMObject>& objects) {
    std::vector<std::string> out;
    for (auto object : objects) {
        out.push_back(object->Name());
    }
    return out;
}

} // namespace

TEST(EncyclopediaTest, DefinitionNamesAreUniquePerTypeAndListedByName) {
    auto ency = newEncyclopedia();
    ency->CreateDefinition("Payroll", 309);
    ency->CreateDefinition("billing", 309);
    ency->CreateDefinition("Payroll", 765); // other type
    EXPECT_EQ(codeOf([&] { ency->CreateDefinition("PAYROLL", 309); }), HostErrorCode::DuplicateName);
    EXPECT_EQ(codeOf([&] { ency->CreateDefinition("", 309); }), HostErrorCode::BadValue);
    EXPECT_EQ(codeOf([&] { ency->CreateDefinition(std::string(5000, 'x'), 309); }), HostErrorCode::BadValue);
    auto apps = ency->getfiltereddefinitions("", 309);
    ASSERT_EQ(apps->count(), 2);
    EXPECT_EQ(apps->Item(1)->Name(), "billing");
    EXPECT_EQ(apps->Item(2)->Name(), "Payroll");
    EXPECT_TRUE(ency->getfiltereddefinitions("payroll", 309)->IsMoreThan(0));
    EXPECT_EQ(codeOf([&] { apps->Item(3); }), HostErrorCode::NotFound);
}

TEST(EncyclopediaTest, SolutionTypesExistOnlyWhenTheSolutionIsSwitchedOn) {
    auto plain = newEncyclopedia(Solution::Off);
    EXPECT_EQ(codeOf([&] { plain->CreateDefinition("Retiring", 798); }), HostErrorCode::UnknownType);
    auto installed = newEncyclopedia(Solution::On);
    EXPECT_EQ(installed->CreateDefinition("Retiring", 798)->TypeName(), "Analytic");
}

TEST(EncyclopediaTest, ChangesAreKeptOnlyWhenSaved) {
    km::test::TempFolder folder;
    std::string path = folder.file("team.kmdb");
    Long saved = 0, unsaved = 0;
    {
        auto ency = newEncyclopedia(Solution::On, path);
        auto a = ency->CreateDefinition("Billing", 309);
        a->setProperty("Description", "kept");
        a->save();
        auto b = ency->CreateDefinition("Payroll", 309);
        b->setProperty("Description", "lost");
        EXPECT_EQ(b->GetProperty("Description"), "lost") << "pending changes read back before save";
        saved = a->ddid();
        unsaved = b->ddid();
    }
    auto ency = kemora::Encyclopedia::open(path);
    EXPECT_EQ(ency->getdefinitionbyid(saved)->GetProperty("Description"), "kept");
    EXPECT_EQ(ency->getdefinitionbyid(unsaved)->GetProperty("Description"), "");
    EXPECT_EQ(ency->getdefinitionbyid(12345), nullptr);
}

TEST(EncyclopediaTest, PropertyValuesAreCheckedAndNormalisedByEditType) {
    auto ency = newEncyclopedia();
    auto app = ency->CreateDefinition("Billing", 309);
    app->setProperty("Commission Date", "2027-01-31");
    EXPECT_EQ(app->GetProperty("Commission Date"), "20270131");
    app->setProperty("Decommission Date", "20280229");
    EXPECT_EQ(codeOf([&] { app->setProperty("Decommission Date", "2023-02-29"); }), HostErrorCode::BadValue);
    EXPECT_EQ(app->GetProperty("Decommission Date"), "20280229") << "a refused value changes nothing";
    EXPECT_EQ(codeOf([&] { app->setProperty("No Such Property", "x"); }), HostErrorCode::UnknownProperty);
    EXPECT_EQ(app->GetProperty("No Such Property"), "") << "reading an undeclared property is empty";
    auto plan = ency->CreateDefinition("Plan A", 624);
    plan->setProperty("Project Complete", "yes");
    EXPECT_EQ(plan->GetProperty("Project Complete"), "T");
}

TEST(EncyclopediaTest, ListPropertiesAreOrderedRelationsBothWays) {
    auto ency = newEncyclopedia();
    auto app = ency->CreateDefinition("Billing", 309);
    auto s1 = ency->CreateDefinition("Invoicing", 765);
    auto s2 = ency->CreateDefinition("Dunning, late", 765);
    app->setProperty("Provides Services", "\"Dunning, late\"\r\nInvoicing\r\n");
    EXPECT_EQ(app->GetProperty("Provides Services"), "\"Dunning, late\"\r\nInvoicing\r\n");
    EXPECT_EQ(codeOf([&] { app->setProperty("Provides Services", "Invoicing\nNo Such Service"); }),
              HostErrorCode::BadValue);
    app->save();
    auto list = app->getpropertyascollection("Provides Services");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->Item(1)->Name(), "Dunning, late");
    auto owners = ency->store().listOwners(s1->ddid(), "Provides Services");
    ASSERT_EQ(owners.size(), 1u);
    EXPECT_EQ(owners[0].id, app->ddid()) << "the reverse end of the relation";

    list->Remove(1);
    list->Add(s2);
    list->setProperty();
    app->save();
    EXPECT_EQ(app->GetProperty("Provides Services"), "Invoicing\r\n\"Dunning, late\"\r\n");
    EXPECT_EQ(codeOf([&] { list->Add(app); }), HostErrorCode::BadValue) << "an application is no service";
}

TEST(EncyclopediaTest, QualifiedNamesReportTheirShortNameInLists) {
    auto ency = newEncyclopedia();
    auto analytic = ency->CreateDefinition("Retiring soon", 798);
    auto parameter = ency->CreateDefinition("\"Retiring soon\".propname", 799);
    EXPECT_EQ(parameter->Name(), "propname");
    EXPECT_EQ(parameter->QualifiedName(), "\"Retiring soon\".propname");
    auto list = analytic->getpropertyascollection("Parameters");
    list->Add(parameter);
    list->setProperty();
    analytic->save();
    EXPECT_EQ(analytic->getpropertyascollection("Parameters")->Item(1)->Name(), "propname");
    EXPECT_TRUE(ency->getfiltereddefinitions("\"Retiring soon\".propname", 799)->IsMoreThan(0));
}

TEST(EncyclopediaTest, LockedDefinitionsOpenOnlyReadOnly) {
    auto ency = newEncyclopedia();
    Long id = ency->CreateDefinition("Billing", 309)->ddid();
    inTransaction(ency->store(), [&] { ency->store().lock(id, "pat@desk"); });
    EXPECT_EQ(codeOf([&] { ency->getdefinitionbyid(id); }), HostErrorCode::Locked);
    ency->openobjectsasreadonly(true);
    auto readOnly = ency->getdefinitionbyid(id);
    ency->openobjectsasreadonly(false);
    ASSERT_TRUE(readOnly);
    EXPECT_EQ(readOnly->Name(), "Billing");
    readOnly->setProperty("Description", "x");
    EXPECT_EQ(codeOf([&] { readOnly->save(); }), HostErrorCode::ReadOnly);
    inTransaction(ency->store(), [&] { ency->store().unlock(id); });
    auto writable = ency->getdefinitionbyid(id);
    writable->setProperty("Description", "y");
    writable->save();
    EXPECT_EQ(ency->store().property(id, "Description"), "y");
}

TEST(EncyclopediaTest, CreatingADefinitionKeepsTheReadOnlySwitchEvenWhenItFails) {
    auto ency = newEncyclopedia();
    ency->openobjectsasreadonly(true);
    auto created = ency->CreateDefinition("Billing", 309);
    EXPECT_TRUE(ency->openobjectsasreadonly());
    created->setProperty("Description", "new definitions open writable");
    created->save();
    // A lock left behind on the id the next definition gets makes opening it fail.
    kemora::inTransaction(ency->store(), [&] { ency->store().lock(created->ddid() + 1, "pat@desk"); });
    EXPECT_EQ(codeOf([&] { ency->CreateDefinition("Ledger", 309); }), HostErrorCode::Locked);
    EXPECT_TRUE(ency->openobjectsasreadonly());
}

TEST(EncyclopediaTest, SymbolsGetDefaultsAndTheirDefinition) {
    auto ency = newEncyclopedia();
    auto dgm = ency->CreateDiagram("Landscape", 140);
    auto sym = dgm->CreateSymbol("Billing", 160);
    EXPECT_EQ(sym->XSize(), 100);
    EXPECT_EQ(sym->YSize(), 50);
    EXPECT_EQ(sym->XPos(), 100) << "top left corner at the origin";
    ASSERT_TRUE(sym->definition());
    EXPECT_EQ(sym->definition()->TypeName(), "Application") << "the definition is made when missing";
    EXPECT_EQ(sym->TypeName(), "Application");
    EXPECT_EQ(dgm->CreateSymbol("Billing", 160)->definition()->ddid(), sym->definition()->ddid());
    EXPECT_EQ(codeOf([&] { dgm->CreateSymbol("x", 999); }), HostErrorCode::UnknownType);
    EXPECT_EQ(codeOf([&] { ency->CreateDiagram("Services", 132)->CreateSymbol("x", 160); }), HostErrorCode::UnknownType)
        << "applications do not go on service hierarchies";
    auto text = dgm->CreateSymbol("Hello", 1);
    EXPECT_EQ(text->definition(), nullptr);
    EXPECT_EQ(text->GetField(21), "30 12") << "a text symbol's extent";
}

TEST(EncyclopediaTest, SymbolGeometryPersistsThroughTheDiagramsSave) {
    auto ency = newEncyclopedia();
    auto dgm = ency->CreateDiagram("Landscape", 140);
    Long id = 0;
    {
        auto sym = dgm->CreateSymbol("Box", 2);
        id = sym->ddid();
        sym->XPos(400);
        sym->FillColor(255);
        sym->setField(15, "0x0050");
        dgm->save();
    }
    auto again = ency->loadSymbol(id);
    EXPECT_EQ(again->XPos(), 400);
    EXPECT_EQ(again->FillColor(), 255);
    EXPECT_EQ(again->GetField(15), "0x0050");
}

namespace {

std::shared_ptr<host::ISymbol> box(host::IDiagram& dgm, const std::string& name, Long left, Long top, Long width,
                                   Long height) {
    auto sym = dgm.CreateSymbol(name, 2);
    sym->XSize(width);
    sym->YSize(height);
    sym->XPos(left + width);
    sym->ypos(top + height);
    sym->save();
    return sym;
}

} // namespace

TEST(EncyclopediaTest, NestedSymbolsAreFoundByGeometry) {
    auto ency = newEncyclopedia();
    auto dgm = ency->CreateDiagram("Landscape", 140);
    auto outer = box(*dgm, "outer", 0, 0, 1000, 1000);
    auto inner = box(*dgm, "inner", 100, 100, 400, 400);
    box(*dgm, "deep", 150, 150, 50, 50);
    box(*dgm, "beside", 600, 100, 100, 100);
    box(*dgm, "overlapping", 900, 900, 200, 200); // sticks out of outer
    auto twin1 = box(*dgm, "twin1", 600, 600, 100, 100);
    box(*dgm, "twin2", 600, 600, 100, 100); // identical rectangle, created later

    auto direct = outer->GetRelatedObjects(28);
    EXPECT_EQ(names(direct), (std::vector<std::string>{"inner", "beside", "twin1"}));
    EXPECT_EQ(names(inner->GetRelatedObjects(28)), std::vector<std::string>{"deep"});
    EXPECT_EQ(names(twin1->GetRelatedObjects(28)), std::vector<std::string>{"twin2"})
        << "identical rectangles nest in creation order";
}

TEST(EncyclopediaTest, DeletingASymbolDeletesWhatLiesInIt) {
    auto ency = newEncyclopedia();
    auto dgm = ency->CreateDiagram("Landscape", 140);
    auto outer = box(*dgm, "outer", 0, 0, 1000, 1000);
    auto inner = box(*dgm, "inner", 100, 100, 400, 400);
    box(*dgm, "beside", 2000, 0, 100, 100);
    outer->Delete();
    EXPECT_EQ(dgm->GetAllSymbols()->count(), 1);
    EXPECT_EQ(codeOf([&] {
                  inner->XPos();
                  inner->save();
              }),
              HostErrorCode::Deleted);
}

TEST(EncyclopediaTest, MetamodelIsReachableThroughTheHostInterface) {
    auto ency = newEncyclopedia();
    auto hierarchy = ency->MetaModel()->MetaClasses(1)->MetaItems(132);
    ASSERT_TRUE(hierarchy);
    EXPECT_EQ(hierarchy->TypeName(), "Service Hierarchy");
    Long domainDefinition = 0;
    for (auto symbolType : hierarchy->SupportedMetaItems()) {
        if (symbolType->TypeNumber() == 770) {
            domainDefinition = symbolType->DefinedByMetaItem()->TypeNumber();
        }
    }
    EXPECT_EQ(domainDefinition, 619);
    EXPECT_EQ(ency->MetaModel()->MetaClasses(1)->MetaItems(4242), nullptr);
    auto app = ency->CreateDefinition("Billing", 309);
    bool sawDate = false;
    for (auto property : app->MetaItem()->MetaProperties()) {
        sawDate = sawDate || (property->Name() == "Commission Date" && property->EditTypeNum() == 2);
    }
    EXPECT_TRUE(sawDate);
}

TEST(EncyclopediaTest, ReferenceSymbolsReachTheirDefinitionsByRelation112) {
    auto ency = newEncyclopedia();
    auto app = ency->CreateDefinition("Billing", 309);
    auto dgm = ency->CreateDiagram("Architecture", 131);
    auto reference = dgm->CreateSymbol("see Billing", 818);
    reference->setProperty("References", "Billing");
    reference->save();
    auto related = reference->GetRelatedObjects(112);
    ASSERT_EQ(related->count(), 1);
    EXPECT_EQ(related->Item(1)->ddid(), app->ddid());
    EXPECT_EQ(codeOf([&] { reference->GetRelatedObjects(77); }), HostErrorCode::NotSupported);
}
