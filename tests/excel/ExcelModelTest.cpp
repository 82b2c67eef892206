// The spreadsheet model: ranges, borders by edge, fills, auto-fit, comments, the sheet's limits
// and writing a workbook without leaving half-written files behind.
#include "platform/excel/ExcelApplication.h"
#include "platform/excel/ExcelBorder.h"
#include "platform/excel/ExcelComment.h"
#include "platform/excel/ExcelFont.h"
#include "platform/excel/ExcelInterior.h"
#include "platform/excel/ExcelPalette.h"
#include "platform/excel/ExcelWorkbook.h"
#include "platform/excel/XlsxWriter.h"
#include "platform/runtime/RuntimeError.h"
#include "support/TempFolder.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using namespace km::excel;
namespace fs = std::filesystem;

class ExcelModelTest : public ::testing::Test {
protected:
    ExcelWorksheet& newSheet() {
        book = app.Workbooks().Add();
        return book->Worksheets().Item(1);
    }
    int errorOf(const std::function<void()>& call) {
        try {
            call();
        } catch (const km::rt::RuntimeError& error) {
            return error.number();
        }
        return 0;
    }

    km::test::TempFolder folder;
    std::vector<std::string> shown;
    ExcelApplication app{
        {[this] { return folder.file("book.xlsx"); }, [this](const std::string& p) { shown.push_back(p); }}};
    std::shared_ptr<ExcelWorkbook> book;
};

TEST_F(ExcelModelTest, PaletteIndexesAreTheStandardColours) {
    EXPECT_EQ(ExcelPalette::rgb(15), 0xC0C0C0u);
    EXPECT_EQ(ExcelPalette::rgb(44), 0xFFCC00u);
    EXPECT_EQ(ExcelPalette::rgb(4), 0x00FF00u);
    EXPECT_EQ(ExcelPalette::rgb(1), 0x000000u);
    EXPECT_EQ(ExcelPalette::rgb(56), 0x333333u);
    EXPECT_EQ(errorOf([] { ExcelPalette::rgb(57); }), 9);
}

TEST_F(ExcelModelTest, AnEdgeBorderDrawsOnlyTheCellsAlongThatSide) {
    ExcelWorksheet& sheet = newSheet();
    ExcelRange block = sheet.Range(sheet.Cells(2, 2), sheet.Cells(4, 5));
    block.Borders(xl::EdgeTop).Weight(xl::Thick);
    block.Borders(xl::EdgeRight).LineStyle(xl::Continuous);
    EXPECT_EQ(sheet.Cells(2, 3).Borders(xl::EdgeTop).line().weight, xl::Thick);
    EXPECT_EQ(sheet.Cells(3, 3).Borders(xl::EdgeTop).line().lineStyle, xl::None);
    EXPECT_EQ(sheet.Cells(4, 5).Borders(xl::EdgeRight).line().lineStyle, xl::Continuous);
    EXPECT_EQ(sheet.Cells(4, 4).Borders(xl::EdgeRight).line().lineStyle, xl::None);
    EXPECT_EQ(errorOf([&] { block.Borders(11); }), 1004) << "inside borders are not drawn";
    EXPECT_EQ(errorOf([&] { block.Borders(xl::EdgeTop).Weight(3); }), 1004);
}

TEST_F(ExcelModelTest, EquallyFormattedCellsShareOneStyle) {
    ExcelWorksheet& sheet = newSheet();
    for (long column = 1; column <= 200; ++column) {
        sheet.Cells(1, column).Interior().ColorIndex(44);
        sheet.Cells(1, column).Font().Bold(true);
    }
    EXPECT_EQ(book->styles().size(), 3u) << "default, filled, filled and bold: nothing per cell";
    EXPECT_EQ(sheet.Cells(1, 7).Interior().Pattern(), xl::Solid);
}

TEST_F(ExcelModelTest, AutoFitMeasuresTheRangesTextsOnly) {
    ExcelWorksheet& sheet = newSheet();
    sheet.Cells(1, 1).Value("A rather long title");
    sheet.Cells(3, 1).Value("Short");
    sheet.Cells(3, 2).Value(km::rt::Date::fromYmd(2026, 1, 5));
    sheet.Cells(3, 2).Columns().AutoFit();
    EXPECT_DOUBLE_EQ(*sheet.columnWidth(2), 11);
    sheet.Range(sheet.Cells(3, 1), sheet.Cells(3, 1)).Columns().AutoFit();
    EXPECT_DOUBLE_EQ(*sheet.columnWidth(1), 6) << "only row 3 was measured";
    sheet.Columns(1).AutoFit();
    EXPECT_DOUBLE_EQ(*sheet.columnWidth(1), 20);
    sheet.Columns(9).AutoFit();
    EXPECT_DOUBLE_EQ(*sheet.columnWidth(9), 8.43) << "an empty column gets the standard width";
}

TEST_F(ExcelModelTest, TheSheetEndsAtItsLastRowAndColumn) {
    ExcelWorksheet& sheet = newSheet();
    EXPECT_EQ(errorOf([&] { sheet.Cells(1, 16384).Value("last"); }), 0);
    EXPECT_EQ(errorOf([&] { sheet.Cells(1, 16385); }), 1004);
    EXPECT_EQ(errorOf([&] { sheet.Rows(1).Cells(1, 16385); }), 1004);
    EXPECT_EQ(errorOf([&] { sheet.Cells(1048577, 1); }), 1004);
    EXPECT_EQ(errorOf([&] { sheet.Cells(1, 1).AddComment(); }), 0);
    EXPECT_EQ(errorOf([&] { sheet.Cells(1, 1).AddComment(); }), 1004) << "one comment a cell";
}

TEST_F(ExcelModelTest, BecomingVisibleWritesAndShowsEachWorkbookOnce) {
    newSheet().Cells(1, 1).Value("x");
    app.Visible(true);
    app.Visible(true);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], folder.file("book.xlsx"));
    EXPECT_TRUE(fs::exists(folder.file("book.xlsx")));
    EXPECT_FALSE(fs::exists(XlsxWriter::partPath(folder.file("book.xlsx"))));
}

TEST_F(ExcelModelTest, AFailedWriteLeavesTheOldFileAndNoPart) {
    ExcelWorksheet& sheet = newSheet();
    sheet.Cells(1, 1).Value("x");
    std::string target = folder.file("keep.xlsx");
    std::ofstream(target) << "the user's file";
    // A folder where the part file would go makes the write fail.
    fs::create_directory(XlsxWriter::partPath(target));
    EXPECT_EQ(errorOf([&] { book->SaveAs(target); }), 1004);
    std::ifstream in(target);
    std::string kept((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(kept, "the user's file");
    EXPECT_FALSE(book->Saved());
}

TEST_F(ExcelModelTest, AddingAWorkbookTriesItsFileFirst) {
    ExcelApplication nowhere{{[this] { return folder.file("no/such/folder/book.xlsx"); }, {}}};
    EXPECT_EQ(errorOf([&] { nowhere.Workbooks().Add(); }), 1004);
    EXPECT_EQ(nowhere.Workbooks().Count(), 0);
    EXPECT_FALSE(fs::exists(folder.file("no")));
}

} // namespace
