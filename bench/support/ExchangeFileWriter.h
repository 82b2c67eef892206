#pragma once
#include <cstdint>
#include <string>

namespace km::bench {

/// What an exchange file holds.
struct ExchangeFileFigures {
    std::int64_t definitions = 0;
    std::int64_t relations = 0; ///< list items
    std::int64_t properties = 0;
    std::int64_t bytes = 0;
};

/// Writes the bench model (BenchPlan, with the applications' descriptions; no diagram) as a model
/// exchange file, to time imports of it. Throws std::runtime_error when the file cannot be written.
class ExchangeFileWriter {
public:
    static ExchangeFileFigures write(const std::string& path, std::int64_t definitions);
};

} // namespace km::bench
