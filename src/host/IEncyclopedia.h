#pragma once
#include "Collection.h"
#include <memory>
#include <string>

namespace km::host {

class IDefinition;
class IDiagram;
class IMetaModel;

/// The open repository.
class IEncyclopedia {
public:
    virtual ~IEncyclopedia() = default;

    /// The diagram open in the host, or nothing.
    virtual std::shared_ptr<IDiagram> getcurrentdiagram() = 0;
    /// The definition of that id, or nothing when there is none. HostError Locked when it is
    /// locked by another user or an open editor, unless openobjectsasreadonly is True (then it is
    /// opened read-only).
    virtual std::shared_ptr<IDefinition> getdefinitionbyid(Long id) = 0;
    virtual std::shared_ptr<IDiagram> getdiagrambyid(Long id) = 0;
    /// Definitions of a type (all types when 0) whose (qualified) name matches \p nameFilter
    /// without regard to case; "" matches all, '*' any run of characters. Ordered by name.
    virtual CollectionPtr<IDefinition> getfiltereddefinitions(const std::string& nameFilter, Long typeNumber) = 0;
    virtual CollectionPtr<IDiagram> GetFilteredDiagrams(const std::string& nameFilter, Long typeNumber) = 0;
    /// A new definition, saved at once. HostError UnknownType, DuplicateName.
    virtual std::shared_ptr<IDefinition> CreateDefinition(const std::string& name, Long typeNumber) = 0;
    /// A new, empty diagram, saved at once. HostError UnknownType, DuplicateName.
    virtual std::shared_ptr<IDiagram> CreateDiagram(const std::string& name, Long typeNumber) = 0;

    /// Runs a report script and puts the result XML into \p result. HostError ReportSyntax for a
    /// script that does not parse (with line, column and what was expected).
    virtual void ExecuteReportString(std::string& result, const std::string& script) = 0;

    virtual bool openobjectsasreadonly() = 0;
    virtual void openobjectsasreadonly(bool value) = 0;
    virtual std::shared_ptr<IMetaModel> MetaModel() = 0;
    /// The encyclopedia's full name (its file path).
    virtual std::string FullName() = 0;
    /// Loads definitions from a model exchange file.
    virtual void setxml(const std::string& path, bool merge, bool overwrite) = 0;
};

} // namespace km::host
