// minizol-comprobar's command line: its options, help and messages.
#include "comprobar/options.h"

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

#include "common/text_case.h"

namespace minizol {
namespace {

constexpr const char* kHelp =
    "Uso: minizol-comprobar [OPCIÓN]... [FICHERO]...\n"
    "Comprueba los números de cada FICHERO: DNI, NIE, NIF, CIF, cuentas bancarias\n"
    "españolas (CCC), IBAN de cualquier país, ISBN-10 e ISBN-13.\n"
    "Sin FICHERO, o si FICHERO es -, lee la entrada estándar.\n"
    "\n"
    "Lee listas de texto (un número por línea) y CSV en UTF-8, UTF-16 o Windows-1252, libros\n"
    "de Excel (.xlsx, .xls) y de LibreOffice (.ods), y remesas SEPA en XML (pain.001,\n"
    "pain.008). Reconoce el formato por el contenido; en CSV, el separador y las columnas\n"
    "con números, si no se indican.\n"
    "\n"
    "  -t, --tipo=TIPO        lee cada número solo como TIPO: dni, nie, nif (también NIE y\n"
    "                         CIF), cif, ccc, iban o isbn\n"
    "  -c, --columna=COLUMNAS comprueba esas columnas: su número (desde 1) o el nombre de\n"
    "                         su cabecera; varias, separadas por comas (NIF,IBAN)\n"
    "  -s, --separador=C      separa los campos CSV con C (',' ';' 'tab' '|' ...)\n"
    "  -H, --cabecera         la primera fila de cada fichero es una cabecera\n"
    "      --hoja=HOJA        lee la hoja HOJA de un libro: su nombre o su número\n"
    "      --csv              escribe CSV en la forma de la entrada (codificación,\n"
    "                         separador, finales de línea): sus campos y luego\n"
    "                         linea,entrada,tipo,resultado,control,forma,banco\n"
    "  -o, --salida=FICHERO   escribe el informe en FICHERO: .xlsx (un libro de Excel) o\n"
    "                         .csv (el CSV que Excel en español abre con un doble clic)\n"
    "  -h, --help             muestra esta ayuda y termina\n"
    "  -V, --version          muestra la versión y termina\n"
    "\n"
    "Resultados: correcto; incorrecto (su control no es el que corresponde); incompleto\n"
    "(sin control: se muestra el calculado); desconocido (no es un número de ningún tipo).\n"
    "El resumen y las columnas comprobadas se escriben en la salida de errores.\n"
    "\n"
    "Estado de salida: 0 si todos los números son correctos, 1 si alguno no lo es, 2 si\n"
    "hay un error de uso o un fichero no se puede leer o no es una lista.\n"
    "\n"
    "Ejemplos: minizol-comprobar --salida=revisada.xlsx remesa.csv\n"
    "          minizol-comprobar --hoja=Clientes --columna=NIF clientes.xlsx\n";

constexpr const char* kVersion =
    "minizol-comprobar (MiniZol) " MINIZOL_VERSION
    "\n"
    "Copyright (c) 2026 Quorvane.\n"
    "Licencia MIT: es software libre; puede modificarlo y redistribuirlo.\n"
    "No hay NINGUNA GARANTÍA.\n";

[[noreturn]] void UsageError(const std::string& message) {
    Say(message);
    std::fprintf(stderr, "Pruebe «%s --help» para más información.\n", kProgram);
    std::exit(kTrouble);
}

}  // namespace

void Say(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
}

namespace {

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

// "3", "IBAN", "NIF,IBAN": the columns a user names, each checked against the file's header.
std::vector<std::string> ColumnList(std::string_view value) {
    std::vector<std::string> columns;
    for (std::size_t start = 0; start <= value.size();) {
        const std::size_t end = std::min(value.find(',', start), value.size());
        const std::string_view name = value.substr(start, end - start);
        if (name.find_first_not_of(' ') == std::string_view::npos) {
            UsageError("columna no válida: " + Quoted(value) +
                       " (números desde 1 o nombres de la cabecera, separados por comas)");
        }
        if (name == "0") {
            UsageError("columna no válida: " + Quoted(value) + " (se cuentan desde 1)");
        }
        columns.emplace_back(name);
        start = end + 1;
    }
    return columns;
}

SheetChoice SheetNamed(std::string_view value) {
    SheetChoice choice;
    std::size_t position = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), position);
    if (error == std::errc() && end == value.data() + value.size() && position > 0) {
        choice.position = position;
    } else if (value.empty()) {
        UsageError("hoja no válida: indique su nombre o su número");
    } else {
        choice.name = value;
    }
    return choice;
}

bool EndsWithExtension(std::string_view path, std::string_view extension) {
    if (path.size() <= extension.size()) {
        return false;
    }
    const std::string_view end = path.substr(path.size() - extension.size());
    return std::equal(end.begin(), end.end(), extension.begin(), extension.end(),
                      [](char a, char b) { return AsciiUpper(a) == AsciiUpper(b); });
}

}  // namespace

bool WritesWorkbook(const Options& options) {
    return EndsWithExtension(options.output, ".xlsx");
}

Options ParseOptions(int argc, char** argv) {
    static const option kLong[] = {
        {"tipo", required_argument, nullptr, 't'},
        {"columna", required_argument, nullptr, 'c'},
        {"separador", required_argument, nullptr, 's'},
        {"cabecera", no_argument, nullptr, 'H'},
        {"hoja", required_argument, nullptr, 'S'},
        {"csv", no_argument, nullptr, 'C'},
        {"salida", required_argument, nullptr, 'o'},
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, 'V'},
        {nullptr, 0, nullptr, 0},
    };
    Options options;
    opterr = 0;  // its messages are in English; these are ours
    for (int option; (option = getopt_long(argc, argv, ":t:c:s:Ho:hV", kLong, nullptr)) != -1;) {
        const std::string_view value = optarg != nullptr ? optarg : "";
        switch (option) {
            case 't':
                if (const std::optional<KindFilter> filter = KindFilterNamed(value)) {
                    options.list.filter = *filter;
                } else {
                    UsageError("tipo no válido: " + Quoted(value) +
                               " (dni, nie, nif, cif, ccc, iban o isbn)");
                }
                break;
            case 'c':
                options.list.columns = ColumnList(value);
                break;
            case 's':
                if (const std::optional<char> separator = SeparatorNamed(value)) {
                    options.list.separator = *separator;
                } else {
                    UsageError("separador no válido: " + Quoted(value) +
                               " (un carácter ASCII, o 'tab')");
                }
                break;
            case 'H':
                options.list.header = true;
                break;
            case 'S':
                options.list.sheet = SheetNamed(value);
                break;
            case 'C':
                options.csv = true;
                break;
            case 'o':
                options.output = value;
                if (!EndsWithExtension(value, ".xlsx") && !EndsWithExtension(value, ".csv")) {
                    UsageError("salida no válida: " + Quoted(value) + " (un fichero .xlsx o .csv)");
                }
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
    options.list.table = options.csv || !options.output.empty();
    if (options.csv && !options.output.empty()) {
        UsageError("--csv escribe en la salida estándar y --salida en un fichero: elija uno");
    }
    for (int i = optind; i < argc; ++i) {
        options.inputs.emplace_back(argv[i]);
    }
    if (options.inputs.empty()) {
        options.inputs.emplace_back("-");
    }
    return options;
}

}  // namespace minizol
