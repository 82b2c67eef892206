// kmsoa run: runs one command of the add-in on an encyclopedia, as a host menu command or macro
// would run it.
#include "Commands.h"
#include "host/IAddinLibrary.h"
#include "host/IDiagram.h"
#include "host/IHostServices.h"
#include "host/ISymbol.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/services/AddinLoader.h"
#include "platform/kemora/services/Workbench.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include "platform/ui/MessageBoxStyle.h"
#include "platform/ui/ScriptedFrontEnd.h"
#include "platform/ui/TerminalFrontEnd.h"
#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>
#include <optional>
#include <set>

namespace km::cli {

namespace {

constexpr int memberNotFound = 438;
constexpr int wrongArgumentCount = 450;

struct RunOptions {
    std::string encyclopedia;
    std::string command;
    std::vector<std::string> arguments;
    std::string diagram;
    std::vector<std::string> select;
    std::string answersFile;
    std::vector<std::string> messageAnswers;
    std::vector<std::string> inputs;
    std::optional<int> cancelStatusAfter;
    std::string workbookPath;
    bool trace = false;
    /// Message-box answers in the order --yes, --no and --msgbox were given (0: default button).
    std::vector<int> orderedAnswers;
};

std::optional<int> messageAnswerFromText(const std::string& text) {
    if (rt::equalsNoCase(text, "default")) {
        return ui::answer::none;
    }
    return ui::MessageBoxStyle::answerFromName(text);
}

bool answersGiven(const RunOptions& options) {
    return !options.answersFile.empty() || !options.orderedAnswers.empty() || !options.inputs.empty() ||
           options.cancelStatusAfter.has_value();
}

// The answers of a batch run: the answers file first, then the answers of the command line.
std::unique_ptr<ui::ScriptedFrontEnd> scriptedFrontEnd(const RunOptions& options) {
    auto frontEnd = std::make_unique<ui::ScriptedFrontEnd>();
    if (!options.answersFile.empty()) {
        frontEnd->loadFile(options.answersFile);
    }
    for (int answer : options.orderedAnswers) {
        frontEnd->answerMessage(answer);
    }
    for (const std::string& input : options.inputs) {
        frontEnd->answerInput(input);
    }
    if (options.cancelStatusAfter) {
        frontEnd->cancelStatusAfter(*options.cancelStatusAfter);
    }
    return frontEnd;
}

std::unique_ptr<ui::FrontEnd> makeFrontEnd(const RunOptions& options) {
    if (answersGiven(options)) {
        return scriptedFrontEnd(options);
    }
    auto terminal =
        std::make_unique<ui::TerminalFrontEnd>(std::cin, std::cout, std::cerr, ui::TerminalOptions::detect());
    terminal->installInterruptHandler();
    return terminal;
}

// Selects exactly the named symbols of the current diagram; each changed symbol is saved at once.
void selectSymbols(kemora::Workbench& workbench, const std::vector<std::string>& names) {
    auto diagram = workbench.encyclopedia()->getcurrentdiagram();
    if (!diagram) {
        throw std::runtime_error("--select needs a current diagram: name it with --diagram.");
    }
    std::set<rt::Long> chosen;
    for (const std::string& name : names) {
        auto found = diagram->GetFilteredSymbols(name, 0);
        if (found->count() == 0) {
            throw std::runtime_error("There is no symbol named \"" + name + "\" on the diagram \"" + diagram->Name() +
                                     "\".");
        }
        for (auto symbol : found) {
            chosen.insert(symbol->ddid());
        }
    }
    for (auto symbol : diagram->GetAllSymbols()) {
        bool wanted = chosen.contains(symbol->ddid());
        if (symbol->Selected() == wanted) {
            continue;
        }
        symbol->Selected(wanted);
        symbol->save();
    }
}

std::size_t errorLogCount(const kemora::TraceLog& log) {
    return static_cast<std::size_t>(std::count_if(log.logs().begin(), log.logs().end(),
                                                  [](const auto& entry) { return entry.title == "Error Log"; }));
}

// What a batch run showed (answers that did not fit included), for the person reading its output.
void reportScriptedRun(const ui::ScriptedFrontEnd& frontEnd) {
    for (const std::string& line : frontEnd.transcript()) {
        std::cerr << line << "\n";
    }
}

int failedCall(const RunOptions& options, const std::exception& error) {
    int number = rt::errorNumber(error);
    std::cerr << "kmsoa run: " << options.command << ": " << rt::describe(error) << "\n";
    return number == memberNotFound || number == wrongArgumentCount ? exitUsage : exitFailed;
}

// Runs the command on an open workbench; the library is unloaded before the workbench closes.
int callAddin(const RunOptions& options, kemora::Workbench& workbench, ui::FrontEnd& frontEnd) {
    std::shared_ptr<host::IHostServices> services = workbench.services();
    kemora::AddinLoader loader(*services);
    auto landscapeMgr = loader.library().CreateObject("LandscapeMgr");
    std::size_t errorLogsBefore = errorLogCount(workbench.traceLog());
    std::string result;
    std::optional<int> failure;
    try {
        result = landscapeMgr->Invoke(options.command, options.arguments);
    } catch (const std::exception& error) {
        failure = failedCall(options, error);
    }
    // Windows the command left open run until the user closes them, while the library is loaded.
    frontEnd.runUntilAllClosed();
    if (failure) {
        return *failure;
    }
    // The terminal says where help is when it is asked for; a batch run says it with the results.
    if (answersGiven(options) && !frontEnd.lastHelp().empty()) {
        std::cout << frontEnd.lastHelp() << "\n";
    }
    if (!workbench.lastWorkbook.empty()) {
        std::cout << workbench.lastWorkbook << "\n";
    }
    if (!result.empty()) {
        std::cout << result << "\n";
    }
    return errorLogCount(workbench.traceLog()) > errorLogsBefore ? exitErrorsLogged : exitOk;
}

int runAddinCommand(const RunOptions& options) {
    std::unique_ptr<ui::FrontEnd> frontEnd = makeFrontEnd(options);
    int exitCode = exitFailed;
    {
        kemora::Workbench workbench(kemora::WorkbenchPaths::fromEnvironment(), *frontEnd);
        if (options.trace) {
            workbench.traceLog().setEcho(&std::cerr);
        }
        if (!options.workbookPath.empty()) {
            workbench.setWorkbookPath(options.workbookPath);
        }
        try {
            workbench.openEncyclopedia(options.encyclopedia);
            if (!options.diagram.empty()) {
                workbench.openDiagram(options.diagram);
            }
            if (!options.select.empty()) {
                selectSymbols(workbench, options.select);
            }
            exitCode = callAddin(options, workbench, *frontEnd);
        } catch (const std::exception& error) {
            std::cerr << "kmsoa run: " << rt::describe(error) << "\n";
            exitCode = exitFailed;
        }
        frontEnd->runUntilAllClosed();
        workbench.traceLog().setEcho(nullptr);
    }
    if (auto* scripted = dynamic_cast<ui::ScriptedFrontEnd*>(frontEnd.get())) {
        reportScriptedRun(*scripted);
    }
    return exitCode;
}

// --yes, --no and --msgbox answer message boxes in the order they stand on the command line.
void orderMessageAnswers(RunOptions& options, const CLI::App& run, const CLI::Option* yes, const CLI::Option* no,
                         const CLI::Option* msgbox) {
    std::size_t nextMsgbox = 0;
    for (const CLI::Option* option : run.parse_order()) {
        if (option == yes) {
            options.orderedAnswers.push_back(ui::answer::yes);
        } else if (option == no) {
            options.orderedAnswers.push_back(ui::answer::no);
        } else if (option == msgbox && nextMsgbox < options.messageAnswers.size()) {
            options.orderedAnswers.push_back(*messageAnswerFromText(options.messageAnswers[nextMsgbox++]));
        }
    }
}

} // namespace

void addRunCommand(CLI::App& app, CommandContext& context) {
    auto options = std::make_shared<RunOptions>();
    CLI::App* run = app.add_subcommand("run", "Run a command of the add-in (a LandscapeMgr method) on an encyclopedia");
    run->add_option("encyclopedia", options->encyclopedia, "The encyclopedia file")->required();
    run->add_option("command", options->command, "The LandscapeMgr method, e.g. BuildAutoLandscape")->required();
    run->add_option("arguments", options->arguments, "The method's arguments, as texts");
    run->add_option("--diagram", options->diagram, "Open this diagram as the current one first");
    run->add_option("--select", options->select, "Select these symbols of the current diagram first")
        ->expected(1, -1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    run->add_option("--answers", options->answersFile, "Answer message boxes, inputs and windows from this file")
        ->check(CLI::ExistingFile);
    CLI::Option* yes = run->add_flag("--yes")->description("Answer the next message box Yes (repeatable)");
    CLI::Option* no = run->add_flag("--no")->description("Answer the next message box No (repeatable)");
    CLI::Option* msgbox =
        run->add_option("--msgbox", options->messageAnswers,
                        "Answer the next message box: ok, cancel, yes, no, abort, retry, ignore, default (repeatable)")
            ->expected(1)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
            ->check([](const std::string& text) {
                return messageAnswerFromText(text) ? std::string() : "not a message-box answer: " + text;
            });
    run->add_option("--input", options->inputs, "Answer the next input box with this text (repeatable)")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    run->add_option("--cancel-status-after", options->cancelStatusAfter,
                    "Press Cancel on the status window after this many progress lines");
    run->add_flag("--trace", options->trace, "Echo the trace log to the terminal");
    run->add_option("-o,--output", options->workbookPath,
                    "Write the workbook a command makes (the service roadmap) to this .xlsx file");
    run->callback([options, run, yes, no, msgbox, &context] {
        orderMessageAnswers(*options, *run, yes, no, msgbox);
        context.exitCode = runAddinCommand(*options);
    });
}

} // namespace km::cli
