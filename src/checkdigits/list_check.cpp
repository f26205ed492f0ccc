#include "checkdigits/list_check.h"

#include <exception>
#include <utility>

#include "lists/list_reader.h"

namespace minizol {

// Rows go into a store of the reader's thread, and are handed on whenever the reader looks up:
// the window's thread then takes them at once, whatever their number.
class ListCheck::Sink final : public ListSink {
  public:
    explicit Sink(ListCheck& check) : check_(check) {}

    ReportWriter& Report(const CsvForm&, bool withColumn, std::size_t) override {
        if (!batch_) {
            batch_ = std::make_unique<CheckedRows>(withColumn);
            const std::lock_guard lock(check_.mutex_);
            check_.shared_.reportStarted = true;
            check_.shared_.withColumn = withColumn;
            check_.shared_.rows = CheckedRows(withColumn);
        }
        return *batch_;
    }
    void Say(const std::string& message) override {
        const std::lock_guard lock(check_.mutex_);
        check_.shared_.said.push_back(message);
    }
    void Columns(const std::vector<std::string>& names,
                 const std::vector<std::size_t>& checked) override {
        const std::lock_guard lock(check_.mutex_);
        check_.shared_.columnsTold = true;
        check_.shared_.columnNames = names;
        check_.shared_.checkedColumns = checked;
    }
    void Progress(const std::string&, std::uint64_t done, std::uint64_t size) override {
        const std::lock_guard lock(check_.mutex_);
        check_.shared_.done = done;
        check_.shared_.size = size;
    }
    bool Cancelled() override {
        HandOn();
        return check_.cancelled_;
    }
    void HandOn() {
        if (batch_ && batch_->size() > 0) {
            const std::lock_guard lock(check_.mutex_);
            check_.shared_.rows.Take(*batch_);
        }
    }

  private:
    ListCheck& check_;
    std::unique_ptr<CheckedRows> batch_;
};

ListCheck::ListCheck(std::string path, std::vector<std::string> columns, bool header)
    : path_(std::move(path)),
      columns_(std::move(columns)),
      header_(header),
      sink_(std::make_unique<Sink>(*this)),
      thread_([this] { Read(); }) {}

ListCheck::~ListCheck() {
    Cancel();
    thread_.join();
}

void ListCheck::Read() {
    bool read = false;
    try {
        ListOptions options;
        options.table = true;
        options.columns = columns_;
        options.header = header_;
        ListReader reader(options, *sink_);
        read = reader.ReadInput(path_);
        sink_->HandOn();
    } catch (const std::exception& failure) {
        // Memory ran out, most likely: the rows handed on so far stay shown.
        sink_->Say("error inesperado al leer la lista: " + std::string(failure.what()));
    }
    const std::lock_guard lock(mutex_);
    shared_.finished = true;
    shared_.read = read;
}

void ListCheck::TakeNews(News& news) {
    const std::lock_guard lock(mutex_);
    const bool withColumn = shared_.withColumn;
    news = std::move(shared_);
    shared_ = News();
    shared_.rows = CheckedRows(withColumn);
    shared_.reportStarted = news.reportStarted;
    shared_.withColumn = withColumn;
    shared_.done = news.done;
    shared_.size = news.size;
    shared_.finished = news.finished;
    shared_.read = news.read;
}

}  // namespace minizol
