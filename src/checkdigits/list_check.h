#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "lists/checked_rows.h"

namespace minizol {

// One list read and checked on a thread of its own, its rows handed on to the window's thread in
// batches as they are checked: the reader stops at nothing but the window's cancel.
class ListCheck {
  public:
    // What has come since it was last asked for.
    struct News {
        CheckedRows rows;
        bool reportStarted = false;  // the rows' form is known: `withColumn` holds
        bool withColumn = false;
        std::vector<std::string> said;  // the reader's messages, in Spanish
        // A table's columns, by their header's names ("" without one), and those checked from
        // 0; told once, before its rows. A plain list or a remittance tells none.
        bool columnsTold = false;
        std::vector<std::string> columnNames;
        std::vector<std::size_t> checkedColumns;
        std::uint64_t done = 0;  // bytes read of `size`; a size of 0: not known
        std::uint64_t size = 0;
        bool finished = false;
        bool read = false;  // when finished: whether the list was read whole
    };

    // Starts reading `path` at once, checking the columns found in it, or those of `columns` by
    // their numbers from 1; `header`: its first record names its columns.
    explicit ListCheck(std::string path, std::vector<std::string> columns = {},
                       bool header = false);
    // Stops the reading and waits for its thread.
    ~ListCheck();
    ListCheck(const ListCheck&) = delete;
    ListCheck& operator=(const ListCheck&) = delete;

    // The reader stops at its next look, within some thousands of rows.
    void Cancel() { cancelled_ = true; }
    bool cancelled() const { return cancelled_; }
    // Moves what has come into `news`, whose rows are replaced; its thread is over once `finished`.
    void TakeNews(News& news);

  private:
    class Sink;

    void Read();

    const std::string path_;
    const std::vector<std::string> columns_;
    const bool header_;
    std::atomic<bool> cancelled_{false};
    std::mutex mutex_;
    News shared_;  // under `mutex_`
    std::unique_ptr<Sink> sink_;
    std::thread thread_;
};

}  // namespace minizol
