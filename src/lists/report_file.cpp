#include "lists/report_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "lists/checked_rows.h"
#include "lists/messages.h"
#include "lists/report.h"

namespace minizol {
namespace {

bool IsWorkbookName(const std::string& path) {
    constexpr std::string_view kSuffix = ".xlsx";
    if (path.size() < kSuffix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kSuffix.size(); ++i) {
        const char c = path[path.size() - kSuffix.size() + i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != kSuffix[i]) {
            return false;
        }
    }
    return true;
}

// The file being written, in the target's directory so that the rename cannot cross devices;
// removed unless it was renamed into place.
class Temporary {
  public:
    explicit Temporary(const std::string& target) : path_(target + ".XXXXXX") {
        fd_ = ::mkstemp(path_.data());
        if (fd_ < 0) {
            path_.clear();
            return;
        }
        // A temporary file is the owner's alone; the report gets a new file's usual permissions.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd_, 0666 & ~mask);
    }
    ~Temporary() {
        Close();
        if (!path_.empty()) {
            ::unlink(path_.c_str());
        }
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }
    bool RenameTo(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) {
            return false;
        }
        path_.clear();
        return true;
    }

  private:
    std::string path_;
    int fd_ = -1;
};

std::string CannotWrite(const std::string& path, int error) {
    return "no se puede escribir " + Quoted(path) + ": " + ErrorText(error);
}

// The workbook writer names the file it wrote; the user asked for another.
std::string NamingTarget(std::string error, const std::string& temporary,
                         const std::string& target) {
    for (std::size_t at = 0; (at = error.find(temporary, at)) != std::string::npos;) {
        error.replace(at, temporary.size(), target);
        at += target.size();
    }
    return error;
}

}  // namespace

bool SaveReport(const CheckedRows& rows, const std::string& path, std::string& error) {
    return SaveReport([&rows](ReportWriter& report) { rows.WriteTo(report); }, rows.withColumn(),
                      path, error);
}

bool SaveReport(const std::function<void(ReportWriter&)>& write, bool withColumn,
                const std::string& path, std::string& error) {
    Temporary temporary(path);
    if (temporary.fd() < 0) {
        error = CannotWrite(path, errno);
        return false;
    }
    if (IsWorkbookName(path)) {
        // The library writes the workbook by its name, at the close.
        temporary.Close();
        std::unique_ptr<XlsxReport> workbook =
            XlsxReport::Create(temporary.path(), withColumn, error);
        if (!workbook) {
            error = NamingTarget(error, temporary.path(), path);
            return false;
        }
        write(*workbook);
        if (!workbook->Finish()) {
            error = NamingTarget(workbook->error(), temporary.path(), path);
            return false;
        }
    } else {
        const CsvForm excel{';', "\r\n", {TextEncoding::Utf8, true}};
        CsvReport csv(temporary.fd(), excel, withColumn);
        write(csv);
        if (!csv.Finish()) {
            error = "no se puede escribir " + Quoted(path) + ": " + csv.error();
            return false;
        }
        if (::fsync(temporary.fd()) != 0 || !temporary.Close()) {
            error = CannotWrite(path, errno);
            return false;
        }
    }
    if (!temporary.RenameTo(path)) {
        error = CannotWrite(path, errno);
        return false;
    }
    return true;
}

}  // namespace minizol
