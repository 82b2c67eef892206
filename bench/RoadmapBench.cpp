// Service roadmap benchmark: RunReportServiceRoadmap over 1,000 applications and 260 weekly date
// columns, through the add-in as `kmsoa run ENCY RunReportServiceRoadmap -o FILE` runs it (rules
// check, three reports, the grid, the worksheet model, the .xlsx). For comparison the same cells
// and formats are then written straight with libxlsxwriter, in the same process: the ratio of the
// two says what the automation model and the roadmap's own work cost on top of the file itself.
//
//   RoadmapBench                     full size (1,000 applications x 260 weeks)
//   RoadmapBench --smoke             seconds-long run for CI

#include "addin/LandscapeMgr.h"
#include "addin/basConstantsAndPublicVars.h"
#include "platform/excel/ExcelApplication.h"
#include "platform/excel/ExcelComment.h"
#include "platform/excel/ExcelPalette.h"
#include "platform/excel/ExcelWorkbook.h"
#include "platform/kemora/objects/Encyclopedia.h"
#include "platform/kemora/services/Workbench.h"
#include "platform/kemora/storage/SqliteStore.h"
#include "platform/runtime/Date.h"
#include "platform/ui/ScriptedFrontEnd.h"
#include "support/FigureTable.h"
#include "support/Format.h"
#include "support/MachineLoad.h"
#include "support/ProcessMemory.h"
#include "support/SolutionFiles.h"
#include "support/Stopwatch.h"
#include <CLI/CLI.hpp>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <unistd.h>
#include <xlsxwriter.h>

namespace {

using namespace km;
using namespace km::bench;
namespace addin = KM_SLN_SOA;
namespace fs = std::filesystem;

constexpr double ratioTarget = 2.0;

struct Options {
    int applications = 1'000;
    int weeks = 260;
    bool smoke = false;
};

// The model: 20 components of 5 services each; every application provides one service, a third
// of them retire inside the range and a third arrive inside it; 50 projects each add one
// application to a service and remove another.
std::string modelXml(const Options& options) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<model format=\"1\">\n";
    const int services = 100;
    for (int s = 0; s < services; ++s) {
        xml += "<definition type=\"765\" name=\"Service " + std::to_string(s) + "\"/>\n";
    }
    for (int c = 0; c < services / 5; ++c) {
        xml +=
            "<definition type=\"618\" name=\"Component " + std::to_string(c) + "\"><list name=\"Provides Services\">";
        for (int s = c * 5; s < c * 5 + 5; ++s) {
            xml += "<item>Service " + std::to_string(s) + "</item>";
        }
        xml += "</list></definition>\n";
    }
    for (int a = 0; a < options.applications; ++a) {
        std::string dates;
        if (a % 3 == 1) {
            dates = "<property name=\"Decommission Date\">" + std::to_string(2027 + a % 4) + "-06-30</property>";
        } else if (a % 3 == 2) {
            dates = "<property name=\"Commission Date\">" + std::to_string(2026 + a % 4) + "-03-01</property>";
        }
        xml += "<definition type=\"309\" name=\"Application " + std::to_string(a) + "\">" + dates +
               "<list name=\"Provides Services\"><item>Service " + std::to_string(a % services) +
               "</item></list></definition>\n";
    }
    for (int p = 0; p < 50; ++p) {
        std::string plan = "Plan " + std::to_string(p);
        std::string service = "Service " + std::to_string(p % services);
        xml += "<definition type=\"624\" name=\"" + plan + "\"><property name=\"Start Date\">" +
               std::to_string(2026 + p % 3) + "-02-01</property><property name=\"Completion Date\">" +
               std::to_string(2027 + p % 3) + "-09-30</property><list name=\"Application\"><item>Application " +
               std::to_string(p % options.applications) + "</item><item>Application " +
               std::to_string((p + services) % options.applications) +
               "</item></list><list name=\"Adds Services\"><item>" + service +
               "</item></list><list name=\"Removes Services\"><item>" + service + "</item></list></definition>\n";
        xml += "<definition type=\"662\" name=\"Project " + std::to_string(p) +
               "\"><list name=\"Service Plans\"><item>" + plan + "</item></list></definition>\n";
    }
    return xml + "</model>\n";
}

// The same cells, formats and comments written straight with libxlsxwriter: one format per
// distinct style, made up front.
// Answers the wall-clock and processor seconds it took.
std::pair<double, double> writeDirectly(const excel::ExcelWorkbook& book, const std::string& path) {
    Stopwatch watch;
    const excel::ExcelWorksheet& sheet = book.Worksheets().Item(1);
    lxw_workbook* xlsx = workbook_new(path.c_str());
    lxw_worksheet* ws = workbook_add_worksheet(xlsx, sheet.Name().c_str());
    std::vector<lxw_format*> formats(book.styles().size() * 2, nullptr);
    auto formatFor = [&](const excel::ExcelCell& cell) -> lxw_format* {
        bool date = std::holds_alternative<rt::Date>(cell.value);
        lxw_format*& format = formats[cell.style * 2 + (date ? 1 : 0)];
        if (!format && (cell.style != 0 || date)) {
            const excel::CellStyle& style = book.styles().style(cell.style);
            format = workbook_add_format(xlsx);
            if (date) {
                format_set_num_format(format, "yyyy-mm-dd");
            }
            if (style.bold) {
                format_set_bold(format);
            }
            if (style.size != 11) {
                format_set_font_size(format, style.size);
            }
            if (style.fillColorIndex > 0) {
                format_set_pattern(format, LXW_PATTERN_SOLID);
                format_set_bg_color(format, excel::ExcelPalette::rgb(style.fillColorIndex));
            }
            auto weight = [](const excel::BorderLine& line) -> std::uint8_t {
                return line.lineStyle == excel::xl::None ? LXW_BORDER_NONE
                       : line.weight == excel::xl::Thick ? LXW_BORDER_THICK
                                                         : LXW_BORDER_THIN;
            };
            format_set_left(format, weight(style.borders[0]));
            format_set_top(format, weight(style.borders[1]));
            format_set_bottom(format, weight(style.borders[2]));
            format_set_right(format, weight(style.borders[3]));
        }
        return format;
    };
    for (const auto& [column, width] : sheet.columnWidths()) {
        worksheet_set_column(ws, static_cast<lxw_col_t>(column - 1), static_cast<lxw_col_t>(column - 1), width,
                             nullptr);
    }
    const auto& rows = sheet.rows();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const excel::ExcelCell& cell = rows[r][c];
            auto row = static_cast<lxw_row_t>(r);
            auto col = static_cast<lxw_col_t>(c);
            if (const auto* text = std::get_if<std::string>(&cell.value)) {
                worksheet_write_string(ws, row, col, text->c_str(), formatFor(cell));
            } else if (const auto* date = std::get_if<rt::Date>(&cell.value)) {
                worksheet_write_number(ws, row, col, date->serial(), formatFor(cell));
            } else if (cell.style != 0) {
                worksheet_write_blank(ws, row, col, formatFor(cell));
            }
        }
    }
    for (const auto& [where, comment] : sheet.comments()) {
        lxw_comment_options hidden{};
        hidden.visible = LXW_COMMENT_DISPLAY_HIDDEN;
        worksheet_write_comment_opt(ws, static_cast<lxw_row_t>(where.first - 1),
                                    static_cast<lxw_col_t>(where.second - 1), comment.Text().c_str(), &hidden);
    }
    if (workbook_close(xlsx) != LXW_NO_ERROR) {
        throw std::runtime_error("the direct workbook could not be written");
    }
    return {watch.seconds(), watch.cpuSeconds()};
}

int run(const Options& options) {
    const std::string folder = "/tmp/km-roadmap-bench-" + std::to_string(getpid());
    fs::create_directories(folder);
    const std::string ency = folder + "/bench.kmdb";
    FigureTable table;
    table.section("Model (" + MachineLoad::describe() + ")");
    {
        kemora::SqliteStore store(ency, kemora::OpenMode::Create);
        SolutionFiles::install(store);
    }
    ui::ScriptedFrontEnd frontEnd;
    kemora::WorkbenchPaths paths;
    paths.configDir = folder + "/config";
    paths.dataDir = folder + "/data";
    paths.exeDir = kemora::WorkbenchPaths::executableFolder();
    kemora::Workbench workbench(paths, frontEnd);
    workbench.openEncyclopedia(ency);
    {
        std::ofstream(folder + "/model.xml") << modelXml(options);
        Stopwatch watch;
        workbench.encyclopedia()->setxml(folder + "/model.xml", false, false);
        table.add("import of " + Format::count(options.applications) + " applications",
                  Format::seconds(watch.seconds()));
    }
    auto services = workbench.services();
    addin::SetHostServices(services.get());
    addin::SetLibraryFolder(paths.exeDir);
    workbench.setWorkbookPath(folder + "/roadmap.xlsx");

    // Monday 5 January 2026 to a Saturday, which the dialog moves to the Sunday after it: the
    // heading then holds exactly `weeks` dates.
    rt::Date from = rt::Date::fromYmd(2026, 1, 5);
    rt::Date to = rt::DateAdd(rt::DateUnit::Day, 7L * (options.weeks - 1) - 2, from);
    frontEnd.addFormScript("frmReportServiceRoadmap", "date dtpFromDate " + from.shortText() + "; date dtpToDate " +
                                                          to.shortText() +
                                                          "; select cboInterval \"One Week\"; click cmdOK");
    const double memoryBefore = ProcessMemory::now().peakMb;
    Stopwatch watch;
    addin::LandscapeMgr().RunReportServiceRoadmap();
    const double runSeconds = watch.seconds(), runCpu = watch.cpuSeconds();
    const double peakMb = ProcessMemory::now().peakMb;
    addin::SetHostServices(nullptr);

    int status = 0;
    if (!workbench.lastSpreadsheet || workbench.lastSpreadsheet->Workbooks().Count() != 1 ||
        !fs::exists(folder + "/roadmap.xlsx")) {
        std::cerr << "RoadmapBench: the roadmap was not written\n";
        return 1;
    }
    auto book = workbench.lastSpreadsheet->Workbooks().Item(1);
    const excel::ExcelWorksheet& sheet = book->Worksheets().Item(1);
    std::int64_t cells = 0;
    for (const auto& row : sheet.rows()) {
        for (const auto& cell : row) {
            cells += !std::holds_alternative<std::monostate>(cell.value);
        }
    }
    const auto [directSeconds, directCpu] = writeDirectly(*book, folder + "/direct.xlsx");
    const double ratio = runSeconds / directSeconds;

    table.section("RunReportServiceRoadmap, weekly columns");
    table.add("rows x heading columns", Format::count(static_cast<std::int64_t>(sheet.rows().size())) + " x " +
                                            Format::count(static_cast<std::int64_t>(sheet.rows()[2].size()) - 2));
    table.add("cells with a value", Format::count(cells));
    table.add("comments", Format::count(static_cast<std::int64_t>(sheet.comments().size())));
    table.add("distinct cell styles", Format::count(static_cast<std::int64_t>(book->styles().size())));
    table.add("whole run (rules, reports, grid, .xlsx)",
              Format::seconds(runSeconds) + " (" + Format::seconds(runCpu) + " CPU)");
    table.add("peak memory of the process",
              Format::megabytes(peakMb) + " (" + Format::megabytes(peakMb - memoryBefore) + " more than before)");
    table.add("the same cells written straight with libxlsxwriter",
              Format::seconds(directSeconds) + " (" + Format::seconds(directCpu) + " CPU)");
    table.add("run / direct (wall clock)", Format::ratio(ratio), "<= " + Format::ratio(ratioTarget),
              ratio <= ratioTarget);
    table.add("run / direct (processor time)", Format::ratio(runCpu / std::max(directCpu, 1e-6)));
    table.add(".xlsx size",
              Format::megabytes(static_cast<double>(fs::file_size(folder + "/roadmap.xlsx")) / 1e6) + " (direct " +
                  Format::megabytes(static_cast<double>(fs::file_size(folder + "/direct.xlsx")) / 1e6) + ")");
    if (!frontEnd.messages().empty()) {
        std::cerr << "RoadmapBench: the add-in showed a message: " << frontEnd.messages().front().prompt << "\n";
        status = 1;
    }
    fs::remove_all(folder);
    table.print(std::cout);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"Service roadmap benchmark: the roadmap of many applications over many weekly columns"};
    Options options;
    app.add_option("--applications", options.applications, "Applications in the model")
        ->check(CLI::Range(100, 100'000));
    app.add_option("--weeks", options.weeks, "Weekly date columns")->check(CLI::Range(2, 16'000));
    app.add_flag("--smoke", options.smoke, "A seconds-long run at small sizes (for CI)");
    CLI11_PARSE(app, argc, argv);
    if (options.smoke) {
        options.applications = 100;
        options.weeks = 52;
    }
    try {
        std::cout << "Roadmap benchmark: " << Format::count(options.applications) << " applications x " << options.weeks
                  << " weekly columns\n\n";
        return run(options);
    } catch (const std::exception& error) {
        std::cerr << "RoadmapBench: " << error.what() << "\n";
        return 1;
    }
}
