#include "PropertyValue.h"
#include "host/HostError.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/Numeric.h"
#include "platform/runtime/Text.h"
#include <cstdio>

namespace km::kemora {

namespace {

[[noreturn]] void badValue(const PropertyDecl& property, const std::string& value, const std::string& why) {
    std::string shown = value.size() > 60 ? value.substr(0, 60) + "..." : value;
    throw host::HostError(host::HostErrorCode::BadValue,
                          "\"" + shown + "\" is not a valid value of \"" + property.name + "\": " + why);
}

std::string repositoryDate(const rt::Date& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year(), date.month(), date.day());
    return text;
}

bool isRepositoryDate(const std::string& value) {
    if (value.size() != 8 || value.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    int year = std::stoi(value.substr(0, 4)), month = std::stoi(value.substr(4, 2)),
        day = std::stoi(value.substr(6, 2));
    if (year < 100 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    return rt::Date::fromYmd(year, month, day).day() == day;
}

std::string dateValue(const PropertyDecl& property, const std::string& value) {
    if (isRepositoryDate(value)) {
        return value;
    }
    if (auto date = rt::parseDate(value)) {
        return repositoryDate(*date);
    }
    badValue(property, value, "expected a date such as 20270131 or 2027-01-31.");
}

std::string booleanValue(const PropertyDecl& property, const std::string& value) {
    std::string folded = rt::LCase(rt::Trim(value));
    if (folded == "t" || folded == "true" || folded == "yes" || folded == "1") {
        return "T";
    }
    if (folded == "f" || folded == "false" || folded == "no" || folded == "0") {
        return "F";
    }
    badValue(property, value, "expected T or F.");
}

} // namespace

std::string PropertyValue::normalise(const PropertyDecl& property, const std::string& value) {
    if (value.size() > maxLength) {
        badValue(property, value, "the text is longer than 16 MB.");
    }
    if (value.empty()) {
        return value;
    }
    switch (property.editType) {
    case EditType::Date:
        return dateValue(property, rt::Trim(value));
    case EditType::Boolean:
        return booleanValue(property, value);
    case EditType::Number:
        if (!rt::IsNumeric(value)) {
            badValue(property, value, "expected a number.");
        }
        return rt::Trim(value);
    default:
        return value;
    }
}

} // namespace km::kemora
