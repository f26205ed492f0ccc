// Excel 97-2003 workbooks through FreeXL, which reads the whole file when it opens it: the
// format keeps a sheet's cells scattered over the file, so nothing can be streamed anyway.
#include <freexl.h>

#include <string>
#include <utility>
#include <vector>

#include "common/text_case.h"
#include "lists/sheet.h"

namespace minizol {
namespace {

// The handle closed however the reader ends; FreeXL asks for it even after a failed open.
struct XlsHandle {
    const void* handle = nullptr;
    XlsHandle() = default;
    XlsHandle(const XlsHandle&) = delete;
    XlsHandle& operator=(const XlsHandle&) = delete;
    ~XlsHandle() {
        if (handle != nullptr) {
            freexl_close(handle);
        }
    }
};

class XlsReader final : public SheetReader {
  public:
    explicit XlsReader(std::unique_ptr<XlsHandle> book) : book_(std::move(book)) {
        if (freexl_worksheet_dimensions(book_->handle, &rows_, &columns_) != FREEXL_OK) {
            error_ = "no se pueden leer las dimensiones de la hoja: el libro está dañado";
        }
    }

    bool Next(SheetRow& row) override {
        while (error_.empty() && next_ < rows_) {
            const unsigned int index = next_++;
            if (ReadRow(index, row)) {
                row.number = index + 1u;
                return true;
            }
        }
        return false;
    }

    const std::string& error() const override { return error_; }

  private:
    // The row's cells up to its last that holds something; false when none does.
    bool ReadRow(unsigned int index, SheetRow& row) {
        std::vector<std::string>& cells = row.cells;
        std::size_t used = 0;
        cells.resize(columns_);  // the strings of the row before keep their room
        row.numbers.assign(columns_, 0);
        for (unsigned short column = 0; column < columns_; ++column) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(book_->handle, index, column, &value) != FREEXL_OK) {
                error_ = "no se puede leer la fila " + std::to_string(index + 1u) +
                         ": el libro está dañado";
                return false;
            }
            std::string& cell = cells[column];
            cell.clear();
            switch (value.type) {
                case FREEXL_CELL_INT:
                    cell = NumberCellText(static_cast<double>(value.value.int_value));
                    row.numbers[column] = 1;
                    break;
                case FREEXL_CELL_DOUBLE:
                    cell = NumberCellText(value.value.double_value);
                    row.numbers[column] = 1;
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    // FreeXL hands text in UTF-8, and dates as "2024-02-29 10:30:00".
                    cell = value.value.text_value != nullptr ? value.value.text_value : "";
                    break;
                default:
                    break;
            }
            if (!cell.empty()) {
                used = column + 1u;
            }
        }
        cells.resize(used);
        row.numbers.resize(used);
        return used != 0;
    }

    std::unique_ptr<XlsHandle> book_;
    unsigned int rows_ = 0;
    unsigned short columns_ = 0;
    unsigned int next_ = 0;
    std::string error_;
};

constexpr char kUnreadable[] =
    "FreeXL no puede leer este libro de Excel 97-2003: guárdelo como .xlsx o .csv";

OpenedSheet Refused(std::string why) {
    return {nullptr, std::move(why)};
}

}  // namespace

OpenedSheet OpenXls(const std::string& path, const SheetChoice& choice) {
    auto book = std::make_unique<XlsHandle>();
    const int opened = freexl_open(path.c_str(), &book->handle);
    // An encrypted workbook may fail to open or open with nothing readable: its flag says which.
    unsigned int password = 0;
    if (book->handle != nullptr &&
        freexl_get_info(book->handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
        password == FREEXL_BIFF_OBFUSCATED) {
        return Refused("el libro está protegido con contraseña");
    }
    if (opened == FREEXL_FILE_NOT_FOUND) {
        return Refused("no se puede abrir el archivo");
    }
    if (opened == FREEXL_INSUFFICIENT_MEMORY) {
        return Refused("no hay memoria para leer el libro de Excel 97-2003");
    }
    unsigned int count = 0;
    if (opened != FREEXL_OK ||
        freexl_get_info(book->handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) {
        return Refused(kUnreadable);
    }

    std::vector<std::string> names;
    for (unsigned int index = 0; index < count && index <= 0xFFFF; ++index) {
        const char* name = nullptr;
        freexl_get_worksheet_name(book->handle, static_cast<unsigned short>(index), &name);
        names.emplace_back(name != nullptr ? name : "");
    }
    const std::string wanted = UpperCase(choice.name);
    std::size_t chosen = 0;
    while (chosen < names.size() && !IsChosenSheet(choice, wanted, chosen, names[chosen])) {
        ++chosen;
    }
    if (chosen == names.size()) {
        return Refused(NoSuchSheet(choice, names));
    }
    if (freexl_select_active_worksheet(book->handle, static_cast<unsigned short>(chosen)) !=
        FREEXL_OK) {
        return Refused(kUnreadable);
    }
    return {std::make_unique<XlsReader>(std::move(book)), ""};
}

}  // namespace minizol
