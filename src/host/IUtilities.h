#pragma once
#include <string>

namespace km::ui {
class Form;
}

namespace km::host {

/// The host utility object "KMVBUtils.KMUtilities".
class IKMUtilities {
public:
    virtual ~IKMUtilities() = default;
    /// Writes a host setting; answers True when written.
    virtual bool KMSetSetting(const std::string& name, const std::string& value, const std::string& section) = 0;
    /// The name in double quotes (inner quotes doubled) when it needs them: when it contains a
    /// double quote, '.', ',', a line break, leading or trailing blanks, or, with
    /// \p quoteBlank True, any blank. Otherwise unchanged.
    virtual std::string KMQuoteIfNeeded(const std::string& name, bool quoteBlank) = 0;
    /// Undoes KMQuoteIfNeeded; text that is not quoted comes back unchanged.
    virtual std::string KMUnQuote(const std::string& name) = 0;
    /// Applies the host's language resources to a form.
    virtual void KMFormLanguageSetUp(ui::Form& form) = 0;
};

/// The host design-utility object "KMVBUtils.KMDUtilsVB".
class IKMDUtils {
public:
    virtual ~IKMDUtils() = default;
    /// Path of a host file ("matrix.xml", "kmframework.xml") in the host's data folder.
    virtual std::string KMDUtilsVB_ReadFileLocation(const std::string& fileName, bool create, bool& found) = 0;
};

/// The localised string resource "KMXRes.Resource".
class IStringResource {
public:
    virtual ~IStringResource() = default;
    /// Loads the numbered string table from that folder; HostError FileStore when it has none.
    virtual void SetStringtablePath(const std::string& folder) = 0;
    /// The text of string n; empty for numbers the table lacks.
    virtual std::string GetLocalString(long number) = 0;
    /// String n with "%1" replaced by \p argument.
    virtual std::string FormatLocalString(long number, const std::string& argument) = 0;
};

/// The host user-interface object "KM2001.SUI".
class ISUI {
public:
    virtual ~ISUI() = default;
    virtual void ShowBrowser() = 0;
};

/// The host's help library: opens a help file (command 1: start page; 15: topic \p data).
class IHelpLibrary {
public:
    virtual ~IHelpLibrary() = default;
    virtual void KMWinHelp(long windowHandle, const std::string& helpFile, long command, long data) = 0;
};

} // namespace km::host
