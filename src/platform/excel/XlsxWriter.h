#pragma once
#include <string>

namespace km::excel {

class ExcelWorkbook;

/// Writes a workbook of the model as an .xlsx file with libxlsxwriter: cell values, fonts,
/// palette fills, borders, hidden or shown comments and column widths. The file is written
/// beside its destination under a temporary name and moved into place only when complete.
class XlsxWriter {
public:
    /// Writes \p book to \p path. Error 1004 naming the file and the reason when it cannot be
    /// written; the destination is then left as it was.
    static void write(const ExcelWorkbook& book, const std::string& path);
    /// Tries whether a file can be written at \p path (and removes what the try created).
    /// Error 1004 naming the file and the reason when not.
    static void probe(const std::string& path);
    /// The temporary name a workbook is written under before it is moved to \p path.
    static std::string partPath(const std::string& path);
};

} // namespace km::excel
