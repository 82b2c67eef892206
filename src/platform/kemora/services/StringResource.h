#pragma once
#include "host/IUtilities.h"
#include <map>

namespace km::kemora {

/// The numbered string table of the host, read from "kmxres.txt" in the folder given to
/// SetStringtablePath. Each line is a number, blanks, and the text ("\n" and "\t" escapes);
/// lines starting with '#' are comments.
class StringResource : public host::IStringResource {
public:
    static constexpr const char* fileName = "kmxres.txt";

    void SetStringtablePath(const std::string& folder) override;
    std::string GetLocalString(long number) override;
    std::string FormatLocalString(long number, const std::string& argument) override;

private:
    std::map<long, std::string> m_strings;
};

} // namespace km::kemora
