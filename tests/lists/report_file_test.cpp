#include "lists/report_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lists/checked_rows.h"
#include "lists/list_reader.h"
#include "support/kept_rows.h"

namespace minizol {
namespace {

namespace fs = std::filesystem;

struct TempDir {
    fs::path path;
    TempDir() {
        std::string name = (fs::temp_directory_path() / "report_file_test.XXXXXX").string();
        path = mkdtemp(name.data());
    }
    ~TempDir() { fs::remove_all(path); }
    std::string Write(const char* name, const std::string& text) const {
        std::ofstream(path / name, std::ios::binary) << text;
        return (path / name).string();
    }
    std::string Read(const char* name) const {
        std::ostringstream text;
        text << std::ifstream(path / name, std::ios::binary).rdbuf();
        return text.str();
    }
};

CheckedRows Read(const std::string& path, std::vector<std::string> columns = {}) {
    std::optional<CheckedRows> rows = KeptRows(path, std::move(columns));
    EXPECT_TRUE(rows.has_value()) << path;
    return rows ? std::move(*rows) : CheckedRows();
}

const char* const kList = "Nombre,NIF,IBAN\nPeña,12345678J,ES91 2100 0418 4502 0005 1332\n";

TEST(SaveReport, CsvAsSpanishExcelOpensIt) {
    const TempDir dir;
    const CheckedRows rows = Read(dir.Write("lista.csv", kList));
    std::string error;
    ASSERT_TRUE(SaveReport(rows, (dir.path / "informe.CSV").string(), error)) << error;
    EXPECT_EQ(dir.Read("informe.CSV"),
              "\xEF\xBB\xBFNombre;NIF;IBAN;linea;columna;entrada;tipo;resultado;control;forma;"
              "banco;bic;motivo\r\n"
              "Peña;12345678J;ES91 2100 0418 4502 0005 1332;2;NIF;12345678J;DNI;incorrecto;Z;"
              "12345678J;;;\"la letra no corresponde; corresponde la Z\"\r\n"
              "Peña;12345678J;ES91 2100 0418 4502 0005 1332;2;IBAN;ES91 2100 0418 4502 0005 1332;"
              "IBAN;correcto;91 45;ES91 2100 0418 4502 0005 1332;"
              "Caja de ah. y pensiones de barcelona;CAIXESBB;\r\n");
    // A workbook read back holds the same rows.
    ASSERT_TRUE(SaveReport(rows, (dir.path / "informe.xlsx").string(), error)) << error;
    const CheckedRows back = Read((dir.path / "informe.xlsx").string(), {"IBAN"});
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back.ownHeader()[7], "resultado");
    EXPECT_EQ(back.OwnFields(0)[7], "incorrecto");
    EXPECT_EQ(back.OwnFields(1)[7], "correcto");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 3);
}

// A report cut short (here by a limit on the size of files, as a full disk would) leaves the file
// that was there as it was, and nothing else.
TEST(SaveReport, AFailureLeavesNothingBehind) {
    const TempDir dir;
    std::string list = kList;
    for (int i = 0; i < 20; ++i) {
        list += "Ruiz,12345678Z,ES91 2100 0418 4502 0005 1332\n";
    }
    const CheckedRows rows = Read(dir.Write("lista.csv", list));
    for (const char* name : {"informe.csv", "informe.xlsx"}) {
        const std::string kept = dir.Write(name, "lo que había");
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{1024, limit.rlim_max};
        const auto signal = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        std::string error;
        const bool saved = SaveReport(rows, kept, error);
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, signal);
        EXPECT_FALSE(saved) << name;
        EXPECT_EQ(error.rfind("no se puede escribir «" + kept + "»: ", 0), 0u) << error;
        EXPECT_EQ(dir.Read(name), "lo que había");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 3);
    const std::string nowhere = (dir.path / "no" / "informe.csv").string();
    std::string error;
    EXPECT_FALSE(SaveReport(rows, nowhere, error));
    EXPECT_EQ(error, "no se puede escribir «" + nowhere + "»: no existe");
}

}  // namespace
}  // namespace minizol
