#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lists/checked_rows.h"
#include "lists/list_reader.h"

namespace minizol {

// The rows a reader keeps of a file, as the list window keeps them: the way the tests read back
// what was saved. Nothing when the file could not be read.
inline std::optional<CheckedRows> KeptRows(const std::string& path,
                                           std::vector<std::string> columns = {}) {
    struct Kept final : ListSink {
        ReportWriter& Report(const CsvForm&, bool withColumn, std::size_t) override {
            rows = CheckedRows(withColumn);
            return rows;
        }
        void Say(const std::string&) override {}
        CheckedRows rows;
    } kept;
    ListOptions options;
    options.table = true;
    options.columns = std::move(columns);
    if (!ListReader(options, kept).ReadInput(path)) {
        return std::nullopt;
    }
    return std::move(kept.rows);
}

}  // namespace minizol
