#include "basCommon.h"
#include "IDefinition.h"
#include "IImf.h"
#include "IPropertyCollection.h"
#include "IUtilities.h"
#include "MenuCommands.h"
#include "addin/basConstantsAndPublicVars.h"
#include "platform/runtime/RuntimeError.h"
#include <cstdio>
#include <filesystem>
#include <random>

namespace KM_SLN_SOA {

namespace {

// Names like the platform's temporary-name generator makes: "rad" and five hexadecimal digits.
std::string systemTempName() {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<unsigned> digits(0, 0xFFFFF);
    char name[16];
    std::snprintf(name, sizeof name, "rad%05X.tmp", digits(generator));
    return name;
}

TempNameGenerator& tempNameGenerator() {
    static TempNameGenerator generator;
    return generator;
}

km::host::IApplication& application() {
    if (!goApp) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    return *goApp;
}

void runMenuCommand(km::rt::Long command) {
    if (!goImf) {
        throw km::rt::RuntimeError(km::rt::ErrorNumber::ObjectNotSet);
    }
    goImf->kmexecutemenucommand(command);
}

} // namespace

std::string GetAppPath() {
    return application().GetExePath();
}

std::string GetAppDrive() {
    std::string path = GetAppPath();
    return path.substr(0, 1) + ":";
}

void KMFormLanguageSetUp(km::ui::Form& form) {
    try {
        HostServices().CreateKMUtilities()->KMFormLanguageSetUp(form);
    } catch (...) {
        // A form without the host's language resources keeps its own captions.
    }
}

std::shared_ptr<km::host::IDefinition> GetSingleProperty(km::host::IKMObject& object, const std::string& name) {
    try {
        auto items = object.getpropertyascollection(name);
        if (items && items->count() == 1) {
            return items->Item(1);
        }
    } catch (...) {
        // A property that cannot be read as a list has no single item.
    }
    return nullptr;
}

void RunMenuCommand71() {
    runMenuCommand(km::host::MenuRedrawSymbols);
}

void RunMenuCommand75() {
    runMenuCommand(km::host::MenuRedrawAnalytic);
}

std::string GetTempFolder() {
    std::string folder = std::filesystem::temp_directory_path().string();
    return folder.ends_with('/') ? folder : folder + "/";
}

std::string GetTempFilePath() {
    constexpr int maxAttempts = 100;
    std::string folder = GetTempFolder();
    for (int attempt = 1; attempt <= maxAttempts; ++attempt) {
        std::string path = folder + (tempNameGenerator() ? tempNameGenerator()() : systemTempName());
        std::error_code error;
        if (!std::filesystem::exists(path, error) && !error) {
            return path;
        }
    }
    throw km::rt::RuntimeError(km::rt::ErrorNumber::PathFileAccess);
}

std::string QuoteString(const std::string& text) {
    return "\"" + text + "\"";
}

std::string GetAttributeText(const pugi::xml_node& node, const std::string& name) {
    pugi::xml_attribute attribute = node.attribute(name.c_str());
    return attribute ? attribute.value() : std::string();
}

void SetTempNameGenerator(TempNameGenerator generator) {
    tempNameGenerator() = std::move(generator);
}

} // namespace KM_SLN_SOA
