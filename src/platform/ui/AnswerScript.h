#pragma once
#include "FormAction.h"
#include "platform/runtime/Types.h"
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace km::ui {

/// A queued message-box answer; answer 0 stands for "press the default button".
struct MessageAnswer {
    int answer = 0;
    rt::SourcePosition position;
};

/// A queued input-box answer: a text, Cancel, or the box's default text.
struct InputAnswer {
    enum class Kind { Text, Cancel, Default };
    Kind kind = Kind::Default;
    std::string text;
    rt::SourcePosition position;
};

/// A queued colour-dialog answer: a colour number, Cancel, or the colour already shown.
struct ColourAnswer {
    enum class Kind { Colour, Cancel, Default };
    Kind kind = Kind::Default;
    rt::Long colour = 0;
    rt::SourcePosition position;
};

/// The user actions for one showing of a form.
struct FormScript {
    std::string formName;
    std::vector<FormAction> actions;
    rt::SourcePosition position;
};

/// The answers file of batch runs (`kmsoa ... --answers FILE`), in the order its lines give them:
///
///     # comment
///     msgbox yes                       ok, cancel, yes, no, abort, retry, ignore, default, 1..7
///     input "My report"                input cancel / input default
///     colour 255                       #RRGGBB, cancel, default ("color" is accepted too)
///     cancel-status-after 5
///     form frmNoOfCols: type cboNumber "3"; click cmdOK
///     form frmLAATemplateSelect:       a block: the indented lines below, one action each
///         select lstObjects "Applications by owner"
///         click OK
///
/// Every `form` line (or block) is the script for one showing of that form.
class AnswerScript {
public:
    std::vector<MessageAnswer> messageAnswers;
    std::vector<InputAnswer> inputAnswers;
    std::vector<ColourAnswer> colourAnswers;
    std::vector<FormScript> formScripts;
    std::optional<int> cancelStatusAfter;

    /// Parses a whole answers text. ScriptError naming the source and line of the first bad line.
    static AnswerScript parse(std::istream& in, const std::string& source);
    static AnswerScript parseText(std::string_view text, const std::string& source = "answers");
    /// Reads a file; ScriptError when it cannot be opened.
    static AnswerScript parseFile(const std::string& path);
    /// A colour written as its number (0 to 16777215) or as #RRGGBB; nothing for other texts.
    static std::optional<rt::Long> colourFromText(std::string_view text);

private:
    /// Parses one unindented line; answers the form script whose block it opens, if any.
    FormScript* parseLine(std::string_view line, const rt::SourcePosition& position);
    FormScript* parseFormLine(std::string_view rest, const rt::SourcePosition& position);
};

} // namespace km::ui
