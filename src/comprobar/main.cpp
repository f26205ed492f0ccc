// minizol-comprobar: checks the numbers of files or of standard input with DigiZol's core, one
// per line or one column of CSV records, and reports each with its kind and verdict.
#include <fcntl.h>
#include <getopt.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "checkdigits/number_check.h"
#include "lists/csv.h"
#include "lists/record_reader.h"
#include "lists/report.h"

namespace minizol {
namespace {

constexpr const char* kProgram = "minizol-comprobar";
constexpr int kAllCorrect = 0;
constexpr int kNotAllCorrect = 1;
constexpr int kTrouble = 2;
// Below this a file is read before a progress indicator would be worth looking at.
constexpr off_t kProgressFrom = 4 << 20;

constexpr const char* kHelp =
    "Uso: minizol-comprobar [OPCIÓN]... [FICHERO]...\n"
    "Comprueba los números de cada FICHERO, uno por línea: DNI, NIE, NIF, CIF, cuentas\n"
    "bancarias españolas (CCC), IBAN de cualquier país, ISBN-10 e ISBN-13.\n"
    "Sin FICHERO, o si FICHERO es -, lee la entrada estándar.\n"
    "\n"
    "Cada número puede llevar espacios, puntos, guiones o barras entre sus grupos, y una\n"
    "etiqueta delante (IBAN, ISBN-13:, NIF ...). Las líneas en blanco no cuentan.\n"
    "\n"
    "  -t, --tipo=TIPO      lee cada número solo como TIPO: dni, nie, nif (también NIE y\n"
    "                       CIF), cif, ccc, iban o isbn\n"
    "  -c, --columna=N      comprueba el campo N (desde 1) de cada registro CSV\n"
    "  -s, --separador=C    separa los campos CSV con C (',' si no se indica; 'tab' es el\n"
    "                       tabulador)\n"
    "  -H, --cabecera       la primera línea de cada fichero es una cabecera\n"
    "      --csv            escribe CSV: linea,entrada,tipo,resultado,control,forma,banco;\n"
    "                       con --columna, tras los campos del propio registro\n"
    "  -h, --help           muestra esta ayuda y termina\n"
    "  -V, --version        muestra la versión y termina\n"
    "\n"
    "Resultados: correcto; incorrecto (su control no es el que corresponde); incompleto\n"
    "(sin control: se muestra el calculado); desconocido (no es un número de ningún tipo).\n"
    "El resumen se escribe en la salida de errores.\n"
    "\n"
    "Estado de salida: 0 si todos los números son correctos, 1 si alguno no lo es, 2 si\n"
    "hay un error de uso o un fichero no se puede leer.\n"
    "\n"
    "Ejemplo: minizol-comprobar --columna=3 --separador=';' --cabecera --csv remesa.csv\n";

constexpr const char* kVersion =
    "minizol-comprobar (MiniZol) " MINIZOL_VERSION
    "\n"
    "Copyright (c) 2026 Quorvane.\n"
    "Licencia MIT: es software libre; puede modificarlo y redistribuirlo.\n"
    "No hay NINGUNA GARANTÍA.\n";

struct Options {
    KindFilter filter = KindFilter::Any;
    std::size_t column = 0;  // 0: whole lines; from 1: that field of CSV records
    char separator = ',';
    bool header = false;
    bool csv = false;
    std::vector<std::string> inputs;
};

// Messages name the program first, as every command-line tool's do.
void Say(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
}

[[noreturn]] void UsageError(const std::string& message) {
    Say(message);
    std::fprintf(stderr, "Pruebe «%s --help» para más información.\n", kProgram);
    std::exit(kTrouble);
}

// The system's reasons in Spanish, whatever the locale: every message of the program is.
std::string ErrorText(int error) {
    switch (error) {
        case ENOENT:
            return "no existe";
        case EACCES:
        case EPERM:
            return "permiso denegado";
        case EISDIR:
            return "es un directorio";
        case ENOTDIR:
            return "una parte de la ruta no es un directorio";
        case EIO:
            return "error de entrada/salida";
        case ENOSPC:
            return "no queda espacio en el dispositivo";
        default:
            return std::strerror(error);
    }
}

std::string Quoted(std::string_view name) {
    return "«" + std::string(name) + "»";
}

std::optional<char> SeparatorNamed(std::string_view text) {
    if (text == "tab" || text == "\\t") {
        return '\t';
    }
    // One byte that can stand between fields: not a quote, a line break or a non-ASCII byte.
    if (text.size() == 1 && text[0] != '"' && text[0] != '\n' && text[0] != '\r' &&
        static_cast<unsigned char>(text[0]) < 0x80) {
        return text[0];
    }
    return std::nullopt;
}

Options ParseOptions(int argc, char** argv) {
    static const option kLong[] = {
        {"tipo", required_argument, nullptr, 't'},
        {"columna", required_argument, nullptr, 'c'},
        {"separador", required_argument, nullptr, 's'},
        {"cabecera", no_argument, nullptr, 'H'},
        {"csv", no_argument, nullptr, 'C'},
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, 'V'},
        {nullptr, 0, nullptr, 0},
    };
    Options options;
    opterr = 0;  // its messages are in English; these are ours
    for (int option; (option = getopt_long(argc, argv, ":t:c:s:HhV", kLong, nullptr)) != -1;) {
        const std::string_view value = optarg != nullptr ? optarg : "";
        switch (option) {
            case 't':
                if (const std::optional<KindFilter> filter = KindFilterNamed(value)) {
                    options.filter = *filter;
                } else {
                    UsageError("tipo no válido: " + Quoted(value) +
                               " (dni, nie, nif, cif, ccc, iban o isbn)");
                }
                break;
            case 'c': {
                std::size_t column = 0;
                const auto [end, error] =
                    std::from_chars(value.data(), value.data() + value.size(), column);
                if (error != std::errc() || end != value.data() + value.size() || column == 0) {
                    UsageError("columna no válida: " + Quoted(value) + " (un número desde 1)");
                }
                options.column = column;
                break;
            }
            case 's':
                if (const std::optional<char> separator = SeparatorNamed(value)) {
                    options.separator = *separator;
                } else {
                    UsageError("separador no válido: " + Quoted(value) +
                               " (un carácter ASCII, o 'tab')");
                }
                break;
            case 'H':
                options.header = true;
                break;
            case 'C':
                options.csv = true;
                break;
            case 'h':
                std::fputs(kHelp, stdout);
                std::exit(std::fflush(stdout) == 0 ? kAllCorrect : kTrouble);
            case 'V':
                std::fputs(kVersion, stdout);
                std::exit(std::fflush(stdout) == 0 ? kAllCorrect : kTrouble);
            case ':':
                UsageError("la opción " + Quoted(argv[optind - 1]) + " necesita un valor");
            default:
                UsageError("opción desconocida: " + Quoted(argv[optind - 1]));
        }
    }
    for (int i = optind; i < argc; ++i) {
        options.inputs.emplace_back(argv[i]);
    }
    if (options.inputs.empty()) {
        options.inputs.emplace_back("-");
    }
    return options;
}

// A percentage on standard error while a big file is read, for a person at a terminal who waits
// for a file's report: never on a pipe or a file, nor on a terminal the report itself fills.
class Progress {
  public:
    Progress(int fd, const std::string& name) : name_(name) {
        struct stat status {};
        shown_ = isatty(STDERR_FILENO) && !isatty(STDOUT_FILENO) && fstat(fd, &status) == 0 &&
                 S_ISREG(status.st_mode) && status.st_size >= kProgressFrom;
        size_ = shown_ ? static_cast<std::uint64_t>(status.st_size) : 0;
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    ~Progress() {
        if (shown_) {
            std::fputs("\r\033[K", stderr);
        }
    }

    void Update(std::uint64_t bytesRead) {
        if (!shown_) {
            return;
        }
        const int percent = static_cast<int>(std::min<std::uint64_t>(100, bytesRead * 100 / size_));
        if (percent != percent_) {
            percent_ = percent;
            std::fprintf(stderr, "\r%s: %s: %d %%", kProgram, name_.c_str(), percent);
        }
    }

  private:
    std::string name_;
    bool shown_ = false;
    std::uint64_t size_ = 0;
    int percent_ = -1;
};

class Checker {
  public:
    explicit Checker(const Options& options)
        : options_(options),
          report_(STDOUT_FILENO,
                  options.csv ? ReportWriter::Format::Csv : ReportWriter::Format::Terminal,
                  options.separator, options.column > 0) {}

    // Checks one input; false when it could not be read (or the report not written).
    bool CheckInput(const std::string& name) {
        const bool standardInput = name == "-";
        const std::string shownName = standardInput ? "entrada estándar" : name;
        const int fd = standardInput ? STDIN_FILENO : ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            Say("no se puede abrir " + Quoted(name) + ": " + ErrorText(errno));
            return false;
        }
        if (options_.inputs.size() > 1) {
            report_.Heading(shownName);
        }
        bool read = ReadRecords(fd, shownName);
        if (!standardInput) {
            ::close(fd);
        }
        return read;
    }

    bool Finish() {
        report_.Header(std::nullopt, "");
        if (!report_.Flush()) {
            Say("no se puede escribir el informe: " + ErrorText(report_.error()));
            return false;
        }
        Say(SummaryText(tally_));
        return true;
    }

    const Tally& tally() const { return tally_; }

  private:
    bool ReadRecords(int fd, const std::string& name) {
        FdSource source(fd);
        RecordReader reader(source,
                            options_.column > 0 ? std::optional(options_.separator) : std::nullopt);
        Progress progress(fd, name);
        bool first = true;
        std::uint64_t records = 0;
        while (const std::optional<Record> record = reader.Next()) {
            if (++records % 4096 == 0) {
                progress.Update(reader.bytesRead());
                if (report_.error() != 0) {
                    return true;  // the report cannot be written: Finish says so
                }
            }
            if (std::exchange(first, false) && options_.header) {
                if (!record->tooLong) {
                    report_.Header(record->text, record->text);
                }
                continue;
            }
            CheckRecord(*record, name);
        }
        if (reader.error() != 0) {
            Say("error al leer " + Quoted(name) + ": " + ErrorText(reader.error()));
            return false;
        }
        return true;
    }

    void CheckRecord(const Record& record, const std::string& name) {
        if (record.tooLong) {
            Say(name + ":" + std::to_string(record.line) + ": línea de más de " +
                std::to_string(RecordReader::kLongestRecord / 1024) + " KiB: no se comprueba");
            report_.Header(std::nullopt, "");
            tally_.Count(Verdict::Unknown);
            report_.Unchecked(record.line, record.text, VerdictName(Verdict::Unknown),
                              std::nullopt);
            return;
        }
        std::string_view entry = record.text;
        if (options_.column > 0) {
            if (!CsvField(record.text, options_.separator, options_.column - 1, field_)) {
                // A record without the column holds no number, and is said to be unknown.
                report_.Header(std::nullopt, record.text);
                tally_.Count(Verdict::Unknown);
                report_.Unchecked(record.line, "", VerdictName(Verdict::Unknown), record.text);
                return;
            }
            entry = field_;
        }
        NumberCheck& check = check_;
        CheckNumber(entry, options_.filter, check);
        if (check.blank) {
            // A blank line is no number; a record with an empty cell keeps its place in CSV.
            if (options_.column > 0 && options_.csv && !record.text.empty()) {
                report_.Header(std::nullopt, record.text);
                report_.Unchecked(record.line, entry, "", record.text);
            }
            return;
        }
        report_.Header(std::nullopt, record.text);
        tally_.Count(check.verdict);
        report_.Row(record.line, entry, check, record.text);
    }

    const Options& options_;
    ReportWriter report_;
    Tally tally_;
    std::string field_;
    NumberCheck check_;  // its texts keep their room from one number to the next
};

}  // namespace
}  // namespace minizol

int main(int argc, char** argv) {
    using namespace minizol;
    const Options options = ParseOptions(argc, argv);
    Checker checker(options);
    bool trouble = false;
    for (const std::string& input : options.inputs) {
        trouble = !checker.CheckInput(input) || trouble;
    }
    trouble = !checker.Finish() || trouble;
    const Tally& tally = checker.tally();
    if (trouble) {
        return kTrouble;
    }
    return tally.correct == tally.read ? kAllCorrect : kNotAllCorrect;
}
