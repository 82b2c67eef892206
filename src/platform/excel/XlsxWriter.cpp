#include "XlsxWriter.h"
#include "ColumnFit.h"
#include "ExcelPalette.h"
#include "ExcelWorkbook.h"
#include "platform/runtime/RuntimeError.h"
#include "platform/runtime/Text.h"
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unordered_map>
#include <xlsxwriter.h>

namespace km::excel {

namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw rt::RuntimeError(xl::ObjectDefinedError, "The workbook could not be written to '" + path + "': " + reason);
}

std::uint8_t borderStyle(const BorderLine& line) {
    switch (line.lineStyle) {
    case xl::Continuous:
        return line.weight == xl::Thick      ? LXW_BORDER_THICK
               : line.weight == xl::Medium   ? LXW_BORDER_MEDIUM
               : line.weight == xl::Hairline ? LXW_BORDER_HAIR
                                             : LXW_BORDER_THIN;
    case xl::Dash:
        return line.weight == xl::Medium || line.weight == xl::Thick ? LXW_BORDER_MEDIUM_DASHED : LXW_BORDER_DASHED;
    case xl::Dot:
        return LXW_BORDER_DOTTED;
    case xl::Double:
        return LXW_BORDER_DOUBLE;
    default:
        return LXW_BORDER_NONE;
    }
}

// One libxlsxwriter format per style and kind of value, made when first needed.
class FormatCache {
public:
    FormatCache(lxw_workbook* book, const StyleTable& styles) : m_book(book), m_styles(styles) {}

    lxw_format* get(StyleTable::Id id, bool date) {
        if (id == 0 && !date) {
            return nullptr;
        }
        std::uint64_t key = (static_cast<std::uint64_t>(id) << 1) | (date ? 1 : 0);
        auto [at, added] = m_formats.try_emplace(key, nullptr);
        if (added) {
            at->second = make(m_styles.style(id), date);
        }
        return at->second;
    }

private:
    lxw_format* make(const CellStyle& style, bool date) {
        lxw_format* format = workbook_add_format(m_book);
        if (date) {
            format_set_num_format(format, "yyyy-mm-dd");
        }
        if (style.bold) {
            format_set_bold(format);
        }
        if (style.size != 11) {
            format_set_font_size(format, style.size);
        }
        if (style.pattern == xl::Solid && style.fillColorIndex != xl::None) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, ExcelPalette::rgb(style.fillColorIndex));
        }
        setBorders(format, style);
        return format;
    }

    static void setBorders(lxw_format* format, const CellStyle& style) {
        using Setter = void (*)(lxw_format*, std::uint8_t);
        using ColourSetter = void (*)(lxw_format*, lxw_color_t);
        const Setter setters[] = {format_set_left, format_set_top, format_set_bottom, format_set_right};
        const ColourSetter colours[] = {format_set_left_color, format_set_top_color, format_set_bottom_color,
                                        format_set_right_color};
        for (std::size_t i = 0; i < style.borders.size(); ++i) {
            const BorderLine& line = style.borders[i];
            std::uint8_t kind = borderStyle(line);
            if (kind == LXW_BORDER_NONE) {
                continue;
            }
            setters[i](format, kind);
            if (line.colorIndex != xl::Automatic) {
                colours[i](format, ExcelPalette::rgb(line.colorIndex));
            }
        }
    }

    lxw_workbook* m_book;
    const StyleTable& m_styles;
    std::unordered_map<std::uint64_t, lxw_format*> m_formats;
};

void check(lxw_error error, const std::string& path) {
    if (error != LXW_NO_ERROR) {
        fail(path, lxw_strerror(error));
    }
}

void writeCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const ExcelCell& cell, FormatCache& formats,
               const std::string& path) {
    bool isDate = std::holds_alternative<rt::Date>(cell.value);
    lxw_format* format = formats.get(cell.style, isDate);
    if (const auto* text = std::get_if<std::string>(&cell.value)) {
        check(text->empty() ? worksheet_write_blank(sheet, row, column, format)
                            : worksheet_write_string(sheet, row, column, text->c_str(), format),
              path);
    } else if (const auto* number = std::get_if<double>(&cell.value)) {
        check(worksheet_write_number(sheet, row, column, *number, format), path);
    } else if (isDate) {
        check(worksheet_write_number(sheet, row, column, std::get<rt::Date>(cell.value).serial(), format), path);
    } else if (format) {
        check(worksheet_write_blank(sheet, row, column, format), path);
    }
}

void writeComments(lxw_worksheet* sheet, const ExcelWorksheet& model, const std::string& path) {
    for (const auto& [where, comment] : model.comments()) {
        lxw_comment_options options{};
        options.visible = comment.Visible() ? LXW_COMMENT_DISPLAY_VISIBLE : LXW_COMMENT_DISPLAY_HIDDEN;
        auto lines = static_cast<std::uint16_t>(std::max<std::size_t>(rt::Split(comment.Text(), "\n").size(), 1));
        options.width = 180;
        options.height = static_cast<std::uint16_t>(std::min(20 + 15 * lines, 600));
        check(worksheet_write_comment_opt(sheet, static_cast<lxw_row_t>(where.first - 1),
                                          static_cast<lxw_col_t>(where.second - 1), comment.Text().c_str(), &options),
              path);
    }
}

// A row holding a larger font grows with it, as the spreadsheet grows a row whose font is set
// larger: 15 points for the standard 11-point font.
void fitRowHeight(lxw_worksheet* sheet, const ExcelWorksheet& model, std::size_t row, const std::string& path) {
    double largest = 11;
    for (const ExcelCell& cell : model.rows()[row]) {
        if (!std::holds_alternative<std::monostate>(cell.value)) {
            largest = std::max(largest, model.styles().style(cell.style).size);
        }
    }
    if (largest > 11) {
        check(worksheet_set_row(sheet, static_cast<lxw_row_t>(row), 15 * largest / 11, nullptr), path);
    }
}

void writeSheet(lxw_workbook* book, const ExcelWorksheet& model, FormatCache& formats, const std::string& path) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, model.Name().c_str());
    if (!sheet) {
        fail(path, "the worksheet '" + model.Name() + "' could not be added");
    }
    for (const auto& [column, width] : model.columnWidths()) {
        auto at = static_cast<lxw_col_t>(column - 1);
        check(worksheet_set_column(sheet, at, at, width, nullptr), path);
    }
    const auto& rows = model.rows();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        fitRowHeight(sheet, model, r, path);
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            writeCell(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c), rows[r][c], formats, path);
        }
    }
    writeComments(sheet, model, path);
}

void removeQuietly(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

} // namespace

std::string XlsxWriter::partPath(const std::string& path) {
    return path + ".part";
}

void XlsxWriter::probe(const std::string& path) {
    if (path.empty()) {
        fail(path, "no file name");
    }
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        fail(path, "it is a folder");
    }
    std::string part = partPath(path);
    std::FILE* file = std::fopen(part.c_str(), "wb");
    if (!file) {
        fail(path, std::strerror(errno));
    }
    std::fclose(file);
    removeQuietly(part);
}

void XlsxWriter::write(const ExcelWorkbook& book, const std::string& path) {
    std::string part = partPath(path);
    lxw_workbook* xlsx = workbook_new(part.c_str());
    if (!xlsx) {
        fail(path, "the file could not be created");
    }
    try {
        FormatCache formats(xlsx, book.styles());
        for (long i = 1; i <= book.Worksheets().Count(); ++i) {
            writeSheet(xlsx, book.Worksheets().Item(i), formats, path);
        }
        if (const ExcelWorksheet* active = book.ActiveSheet()) {
            if (lxw_worksheet* sheet = workbook_get_worksheet_by_name(xlsx, active->Name().c_str())) {
                worksheet_activate(sheet);
            }
        }
    } catch (...) {
        workbook_close(xlsx);
        removeQuietly(part);
        throw;
    }
    lxw_error closed = workbook_close(xlsx);
    if (closed != LXW_NO_ERROR) {
        removeQuietly(part);
        fail(path, lxw_strerror(closed));
    }
    std::error_code error;
    std::filesystem::rename(part, path, error);
    if (error) {
        removeQuietly(part);
        fail(path, error.message());
    }
}

} // namespace km::excel
