#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "checkdigits/list_summary.h"
#include "checkdigits/list_table_model.h"
#include "checkdigits/list_window.h"
#include "lists/list_reader.h"
#include "platform/toolkit_language.h"
#include "shell/tool_window.h"
#include "support/kept_rows.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

// A supplier list as offices export it: NIFs and IBANs, some wrong, one NIF without its letter,
// one that is no number and one IBAN missing.
const char kSuppliers[] =
    "Nombre;NIF;IBAN\r\n"
    "Peña;B12345674;ES91 2100 0418 4502 0005 1332\r\n"
    "Ruiz;12345678J;ES91 2100 0418 4502 0005 1333\r\n"
    "Gil;12345678;ES91 2100 0418 4502 0005 1332\r\n"
    "Sol;12345678Z;\r\n"
    "Mar;hola;ES7000491500051234567892\r\n";
const char kSuppliersSummary[] =
    "9 números: 4 correctos, 3 incorrectos, 1 incompleto, 1 desconocido";
// line, column, entry, verdict
const char* const kSuppliersRows[][4] = {
    {"2", "NIF", "B12345674", "correcto"},
    {"2", "IBAN", "ES91 2100 0418 4502 0005 1332", "correcto"},
    {"3", "NIF", "12345678J", "incorrecto"},
    {"3", "IBAN", "ES91 2100 0418 4502 0005 1333", "incorrecto"},
    {"4", "NIF", "12345678", "incompleto"},
    {"4", "IBAN", "ES91 2100 0418 4502 0005 1332", "correcto"},
    {"5", "NIF", "12345678Z", "correcto"},
    {"5", "IBAN", "", ""},
    {"6", "NIF", "hola", "desconocido"},
    {"6", "IBAN", "ES7000491500051234567892", "incorrecto"},
};

// Threads of the program's own: Qt names those it starts (a pool's come and go as they like),
// a std::thread keeps the program's name.
int ThreadCount() {
    const auto name = [](const std::filesystem::path& task) {
        QFile comm(QString::fromStdString((task / "comm").string()));
        return comm.open(QIODevice::ReadOnly) ? comm.readAll() : QByteArray();
    };
    const QByteArray program = name("/proc/self");
    int count = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        count += name(task.path()) == program ? 1 : 0;
    }
    return count;
}

QStringList Column(const QAbstractItemModel& model, int column) {
    QStringList cells;
    for (int row = 0; row < model.rowCount(); ++row) {
        cells << model.index(row, column).data().toString();
    }
    return cells;
}

}  // namespace

class ListWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QVERIFY(InstallSpanishTexts(*QCoreApplication::instance())); }

    void init() {
        app_ = std::make_unique<testing::TestShell>();
        dir_ = std::make_unique<QTemporaryDir>();
        tool_ = &app_->shell.Show(ToolId::DigiZol);
        QVERIFY(QTest::qWaitForWindowActive(tool_));
    }
    void cleanup() { app_.reset(); }

    void summaryGroupsThousands_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("grouped");
        QTest::newRow("none") << "0 números: 999 correctos"
                              << "0 números: 999 correctos";
        QTest::newRow("four") << "1234 números: 1000 correctos"
                              << "1.234 números: 1.000 correctos";
        QTest::newRow("seven") << "1234567, 12345678"
                               << "1.234.567, 12.345.678";
    }
    void summaryGroupsThousands() {
        QFETCH(QString, text);
        QFETCH(QString, grouped);
        QCOMPARE(QString::fromStdString(GroupThousands(text.toStdString())), grouped);
    }

    // Cells, verdicts' looks on a light and a dark palette, sorting by line and by verdict, and
    // the filter to the numbers that are not right.
    void modelShowsSortsAndFilters() {
        CheckedRows batch(true);
        batch.Header(OwnFields(), OwnFields());
        const struct {
            std::uint64_t line;
            const char* verdict;
            Verdict code;
        } rows[] = {{10, "correcto", Verdict::Correct},
                    {2, "incorrecto", Verdict::Wrong},
                    {9, "incompleto", Verdict::Incomplete},
                    {100, "desconocido", Verdict::Unknown},
                    {3, "", Verdict::Unknown}};
        for (const auto& row : rows) {
            batch.Row(row.line, OwnFields(),
                      {"NIF", "12345678Z", "DNI", row.verdict, "Z", "", "", "", ""}, row.code);
        }
        ListTableModel model;
        model.Start(true);
        model.Append(std::move(batch));
        ListFilterModel shown(model, nullptr);
        QCOMPARE(model.rowCount(), 5);
        QStringList header;
        for (int column = 0; column < model.columnCount(); ++column) {
            header << model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        }
        QCOMPARE(header.join(','),
                 "línea,columna,entrada,tipo,resultado,control,forma,banco,bic,motivo");

        for (const bool dark : {false, true}) {
            QPalette palette;
            palette.setColor(QPalette::Base, dark ? QColor(30, 30, 30) : QColor(255, 255, 255));
            palette.setColor(QPalette::PlaceholderText, QColor(128, 128, 160));
            model.SetPalette(palette);
            const QColor wrong = model.index(1, 4).data(Qt::ForegroundRole).value<QColor>();
            QCOMPARE(wrong.hue(), 0);
            QVERIFY2(std::abs(wrong.lightness() - palette.color(QPalette::Base).lightness()) > 80,
                     "a wrong verdict reads on its background");
            const struct {
                int row;
                QVariant colour;
                bool italic;
                int verdict;
            } looks[] = {{0, QVariant(), false, int(Verdict::Correct)},
                         {1, wrong, false, int(Verdict::Wrong)},
                         {2, QColor(128, 128, 160), true, int(Verdict::Incomplete)},
                         {3, QColor(128, 128, 160), true, int(Verdict::Unknown)},
                         {4, QVariant(), false, -1}};
            for (const auto& look : looks) {
                const QModelIndex cell = model.index(look.row, 2);
                QCOMPARE(cell.data(Qt::ForegroundRole), look.colour);
                QCOMPARE(cell.data(Qt::FontRole).value<QFont>().italic(), look.italic);
                QCOMPARE(cell.data(ListTableModel::kVerdictRole).toInt(), look.verdict);
            }
        }

        shown.sort(0);
        QCOMPARE(Column(shown, 0), QStringList({"2", "3", "9", "10", "100"}));
        shown.sort(4, Qt::DescendingOrder);
        QCOMPARE(Column(shown, 0), QStringList({"2", "9", "100", "10", "3"}));
        shown.ShowOnlyNotRight(true);
        QCOMPARE(Column(shown, 4), QStringList({"incorrecto", "incompleto", "desconocido"}));
        // Rows coming meanwhile take their place in the order and the filter.
        CheckedRows more(true);
        more.Header(OwnFields(), OwnFields());
        more.Row(1, OwnFields(), {"IBAN", "ES00", "IBAN", "incorrecto", "", "", "", "", ""},
                 Verdict::Wrong);
        more.Row(4, OwnFields(), {"IBAN", "ES91", "IBAN", "correcto", "", "", "", "", ""},
                 Verdict::Correct);
        model.Append(std::move(more));
        shown.sort(0);
        QCOMPARE(Column(shown, 0), QStringList({"1", "2", "9", "100"}));
    }

    // The list opened over DigiZol shows every verdict, the summary and the columns checked;
    // the filter, copying and the help work, and Escape goes back to DigiZol as it was.
    void windowShowsTheList() {
        const QString path = Write("proveedores.csv", kSuppliers);
        QWidget& window = Opened(path);
        QCOMPARE(window.windowTitle(), "Comprobar una lista — proveedores.csv");
        QCOMPARE(Label(window, "lblArchivo"), "proveedores.csv");
        QCOMPARE(Label(window, "lblResumen"), kSuppliersSummary);
        QCOMPARE(Label(window, "lblMensajes"),
                 "Columnas comprobadas: NIF (2), IBAN (3); separador: «;»");
        auto& table = *window.findChild<QTableView*>("grdLista");
        QCOMPARE(table.model()->rowCount(), int(std::size(kSuppliersRows)));
        for (int row = 0; row < table.model()->rowCount(); ++row) {
            QStringList cells;
            for (int column : {0, 1, 2, 4}) {
                cells << table.model()->index(row, column).data().toString();
            }
            QCOMPARE(cells.join('|'),
                     QStringList(std::begin(kSuppliersRows[row]), std::end(kSuppliersRows[row]))
                         .join('|'));
        }
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(tool_->isVisible());

        window.findChild<QComboBox*>("cboFiltro")->setCurrentIndex(1);
        QCOMPARE(Column(*table.model(), 0), QStringList({"3", "3", "4", "6", "6"}));
        table.selectRow(0);
        table.selectionModel()->select(table.model()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const QString copied =
            "3\tNIF\t12345678J\tDNI\tincorrecto\tZ\t12345678J\t\t\t"
            "la letra no corresponde; corresponde la Z\n"
            "4\tNIF\t12345678\tDNI\tincompleto\tZ\t12345678Z\t\t\t\n";
        QContextMenuEvent click(QContextMenuEvent::Mouse, {5, 5},
                                table.viewport()->mapToGlobal(QPoint(5, 5)));
        QTimer::singleShot(0, [] {
            auto* menu = QApplication::activePopupWidget();
            QVERIFY(menu != nullptr);
            QCOMPARE(menu->actions().size(), 1);
            QCOMPARE(menu->actions()[0]->text(), "&Copiar");
            menu->actions()[0]->trigger();
            menu->close();
        });
        QApplication::sendEvent(table.viewport(), &click);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        QGuiApplication::clipboard()->clear();
        QTest::keySequence(&table, QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);

        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&table, Qt::Key_F1);
        QCOMPARE(app_->dialogs.messages.size(), 1u);
        QCOMPARE(app_->dialogs.messages[0].title, "Ayuda");
        QTest::keyClick(&table, Qt::Key_Escape);
        QTRY_VERIFY(tool_->findChild<QWidget*>("frmLista") == nullptr);
        QVERIFY(tool_->isVisible());
    }

    // A screen reader hears what the eye sees: labels without the "&" of their mnemonics, the
    // filter by its label and its choice, each button by its words, the summary's figures, and
    // the table's columns as its headers name them.
    void aScreenReaderHearsWhatIsShown() {
        QWidget& window = Opened(Write("proveedores.csv", kSuppliers));
        const QString columns =
            "línea, columna, entrada, tipo, resultado, control, forma, banco, "
            "bic y motivo";
        const struct {
            const char* control;
            QAccessible::Text text;
            QString heard;
        } heard[] = {
            {"lblFiltro", QAccessible::Name, "Mostrar:"},
            {"lblColumnas", QAccessible::Name, "Columnas:"},
            {"cboFiltro", QAccessible::Name, "Mostrar: Todos"},
            {"cboFiltro", QAccessible::Value, "Todos"},
            {"cmdColumnas", QAccessible::Name, "Columnas comprobadas: NIF, IBAN"},
            {"cmdGuardar", QAccessible::Name, "Guardar como..."},
            {"lblResumen", QAccessible::Name, QString("Resumen: ") + kSuppliersSummary},
            {"grdLista", QAccessible::Name, "Números comprobados"},
            {"grdLista", QAccessible::Description, "Una fila por número: " + columns},
        };
        for (const auto& each : heard) {
            QCOMPARE(Heard(window, each.control, each.text), each.heard);
        }

        // The filter reads as a drop-down list whose choice, and list, are its own.
        auto& filter = *window.findChild<QComboBox*>("cboFiltro");
        filter.setCurrentIndex(1);
        QCOMPARE(Heard(window, "cboFiltro", QAccessible::Name),
                 "Mostrar: Solo los que no son correctos");
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(&filter);
        QCOMPARE(box->role(), QAccessible::ComboBox);
        QCOMPARE(box->child(0)->object(), filter.view());
        box->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QVERIFY(filter.view()->isVisible() && box->state().expanded);
        filter.hidePopup();
        window.close();
        QTRY_VERIFY(tool_->findChild<QWidget*>("frmLista") == nullptr);

        QWidget& plain = Opened(Write("nifs.txt", "12345678Z\n"));
        QCOMPARE(Heard(plain, "grdLista", QAccessible::Description),
                 "Una fila por número: " + QString(columns).remove("columna, "));
    }

    // Escape closes the list or menu open, and only it; the next Escape closes the window. Keys
    // go to the window, as the window system delivers them.
    void escapeClosesThePopupFirst() {
        const struct {
            const char* control;
            std::function<void(QWidget& window, QWidget& control)> open;
        } popups[] = {
            {"cboFiltro",
             [](QWidget& window, QWidget&) {
                 QTest::keyClick(window.windowHandle(), Qt::Key_Down, Qt::AltModifier);
             }},
            {"cmdColumnas",
             [](QWidget& window, QWidget&) {
                 QTest::keyClick(window.windowHandle(), Qt::Key_Space);
             }},
            {"grdLista",
             [](QWidget&, QWidget& table) {
                 QWidget* cells = static_cast<QTableView&>(table).viewport();
                 QContextMenuEvent key(QContextMenuEvent::Keyboard, {5, 5},
                                       cells->mapToGlobal(QPoint(5, 5)));
                 QApplication::sendEvent(cells, &key);
             }},
        };
        for (const auto& popup : popups) {
            QWidget& window = Opened(Write("proveedores.csv", kSuppliers));
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            auto& control = *window.findChild<QWidget*>(popup.control);
            control.setFocus();
            // A menu holds the program in its own loop until closed: Escape comes from there,
            // once the popup is up.
            QTimer escape;
            bool escaped = false;
            connect(&escape, &QTimer::timeout, [&] {
                if (QApplication::activePopupWidget() != nullptr) {
                    escape.stop();
                    escaped = true;
                    QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
                }
            });
            escape.start(10);
            popup.open(window, control);
            QTRY_VERIFY2(escaped, popup.control);
            QVERIFY2(QApplication::activePopupWidget() == nullptr, popup.control);
            QVERIFY2(window.isVisible(), popup.control);
            // Headless, a popup takes the focus and keeps it once hidden; a desktop leaves it with
            // the window all along.
            window.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), &window);
            QTest::keyClick(window.windowHandle(), Qt::Key_Escape);
            QTRY_VERIFY2(tool_->findChild<QWidget*>("frmLista") == nullptr, popup.control);
        }
    }

    // A click on a header sorts the rows by its column once their order is worked out, the filter
    // still applied on top; and a window closed while it sorts leaves no thread behind.
    void headersSortTheRows() {
        QWidget& window = Opened(Write("proveedores.csv", kSuppliers));
        auto& table = *window.findChild<QTableView*>("grdLista");
        const QAbstractItemModel& shown = *table.model();
        QStringList entries;
        for (const auto& row : kSuppliersRows) {
            entries << row[2];
        }
        entries.sort();  // in bytes, as the table sorts
        Click(table, 2);
        QCOMPARE(table.horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
        QTRY_COMPARE(Column(shown, 2), entries);
        Click(table, 0);
        QTRY_COMPARE(Column(shown, 0),
                     QStringList({"2", "2", "3", "3", "4", "4", "5", "5", "6", "6"}));
        Click(table, 0);
        QTRY_COMPARE(Column(shown, 0),
                     QStringList({"6", "6", "5", "5", "4", "4", "3", "3", "2", "2"}));
        window.findChild<QComboBox*>("cboFiltro")->setCurrentIndex(1);
        QCOMPARE(Column(shown, 0), QStringList({"6", "6", "4", "3", "3"}));
        window.close();
        QTRY_VERIFY(tool_->findChild<QWidget*>("frmLista") == nullptr);

        QByteArray lines = "NIF\n";
        for (int i = 0; i < 200000; ++i) {
            lines += QByteArray::number(99999999 - i * 7 % 100000000) + "Z\n";
        }
        const int threads = ThreadCount();
        QWidget& big = Opened(Write("grande.csv", lines));
        Click(*big.findChild<QTableView*>("grdLista"), 1);
        big.close();
        QTRY_VERIFY(tool_->findChild<QWidget*>("frmLista") == nullptr);
        QCOMPARE(ThreadCount(), threads);
    }

    // The columns checked are shown, those found ticked; unticking one checks the list again
    // without it. A plain list has no columns to choose.
    void columnsCanBeChosen() {
        QWidget& window = Opened(Write("cuentas.csv",
                                       "NIF & CIF;IBAN\n"
                                       "12345678Z;ES91 2100 0418 4502 0005 1332\n"
                                       "12345678J;ES7000491500051234567892\n"));
        auto& chooser = *window.findChild<QPushButton*>("cmdColumnas");
        QVERIFY(chooser.isVisible());
        // A header's "&" is shown as it stands, never taken for a key.
        QCOMPARE(chooser.text(), "NIF && CIF, IBAN");
        const QList<QAction*> columns = chooser.menu()->actions();
        QCOMPARE(columns.size(), 2);
        QCOMPARE(columns[0]->text() + columns[1]->text(), "NIF && CIFIBAN");
        QVERIFY(columns[0]->isChecked() && columns[1]->isChecked());
        auto& table = *window.findChild<QTableView*>("grdLista");
        QCOMPARE(table.model()->rowCount(), 4);

        columns[1]->trigger();
        QTRY_COMPARE(Label(window, "lblMensajes"),
                     "Columna comprobada: NIF & CIF (1); separador: «;»");
        QTRY_VERIFY(window.findChild<QPushButton*>("cmdGuardar")->isEnabled());
        QCOMPARE(Column(*table.model(), 1), QStringList({"12345678Z", "12345678J"}));
        QCOMPARE(Column(*table.model(), 3), QStringList({"correcto", "incorrecto"}));
        QCOMPARE(chooser.text(), "NIF && CIF");
        QCOMPARE(Label(window, "lblResumen"),
                 "2 números: 1 correcto, 1 incorrecto, 0 incompletos, 0 desconocidos");
        // What a screen reader hears keeps up with what is shown.
        QCOMPARE(Heard(window, "cmdColumnas", QAccessible::Name),
                 "Columnas comprobadas: NIF & CIF");
        QCOMPARE(Heard(window, "lblResumen", QAccessible::Name),
                 "Resumen: " + Label(window, "lblResumen"));
        window.close();
        QTRY_VERIFY(tool_->findChild<QWidget*>("frmLista") == nullptr);

        QWidget& plain = Opened(Write("nifs.txt", "12345678Z\n12345678J\n"));
        QVERIFY(!plain.findChild<QPushButton*>("cmdColumnas")->isVisible());
    }

    // Saved as a workbook or as CSV, the report reads back with every verdict beside the list's
    // own columns; the name takes the form chosen in the dialog.
    void savingWritesTheReport_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("xlsx") << "Libro de Excel (*.xlsx)"
                              << "informe"
                              << "informe.xlsx";
        QTest::newRow("csv") << "CSV para Excel (*.csv)"
                             << "informe"
                             << "informe.csv";
        QTest::newRow("named") << "CSV para Excel (*.csv)"
                               << "otro.xlsx"
                               << "otro.xlsx";
    }
    void savingWritesTheReport() {
        QFETCH(QString, filter);
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QWidget& window = Opened(Write("proveedores.csv", kSuppliers));
        Save(window, filter, dir_->filePath(typed));
        QTRY_VERIFY(Label(window, "lblMensajes").endsWith("Guardado en «" + saved + "»."));
        QVERIFY(app_->dialogs.messages.empty());

        const std::optional<CheckedRows> kept =
            KeptRows(dir_->filePath(saved).toStdString(), {"resultado"});
        QVERIFY(kept.has_value());
        QCOMPARE(kept->ownHeader().size(), 13u);
        QCOMPARE(kept->size(), std::size(kSuppliersRows));
        for (std::size_t row = 0; row < kept->size(); ++row) {
            const std::vector<std::string> fields = kept->OwnFields(row);
            QCOMPARE(fields[3] + "|" + fields[4] + "|" + fields[5] + "|" + fields[7],
                     std::string(kSuppliersRows[row][0]) + "|" + kSuppliersRows[row][1] + "|" +
                         kSuppliersRows[row][2] + "|" + kSuppliersRows[row][3]);
        }
        QFile file(dir_->filePath(saved));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(4), saved.endsWith(".csv") ? "\xEF\xBB\xBFN" : "PK\x03\x04");
    }

    void aFailedSaveSaysSo() {
        QWidget& window = Opened(Write("proveedores.csv", kSuppliers));
        Save(window, "CSV para Excel (*.csv)", dir_->filePath("no/informe.csv"));
        QTRY_COMPARE(app_->dialogs.messages.size(), 1u);
        QCOMPARE(app_->dialogs.messages[0].text,
                 "No se ha podido guardar «informe.csv»:\r\nno se puede escribir «" +
                     dir_->filePath("no/informe.csv") + "»: no existe");
        QCOMPARE(app_->dialogs.messages[0].icon, MessageIcon::Exclamation);
        QVERIFY(window.findChild<QPushButton*>("cmdGuardar")->isEnabled());
    }

    // A file that cannot be checked gets a box naming it and why, and no window.
    void aBadFileGetsAMessageBox_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "falta.csv" << QByteArray() << "No se puede abrir «falta.csv»";
        QTest::newRow("picture") << "foto.csv" << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                                 << "«foto.csv» no es una lista";
        QTest::newRow("damaged workbook")
            << "libro.xlsx" << QByteArray("PK\x03\x04 roto", 9)
            << "«libro.xlsx» no es una lista: parece un archivo ZIP dañado";
    }
    void aBadFileGetsAMessageBox() {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(QString, reason);
        const QString path = contents.isEmpty() ? dir_->filePath(name) : Write(name, contents);
        OpenListWindow(tool_, path);
        QTRY_COMPARE(app_->dialogs.messages.size(), 1u);
        const auto& box = app_->dialogs.messages[0];
        QVERIFY2(box.text.startsWith("No se puede comprobar «" + name + "»:\r\n" + reason),
                 qPrintable(box.text));
        QCOMPARE(box.icon, MessageIcon::Exclamation);
        QTRY_VERIFY(tool_->findChild<QWidget*>("frmLista") == nullptr);
        QVERIFY(tool_->isActiveWindow());
    }

    // Cancelled, or closed while reading, a big list leaves no thread behind; what was read
    // stays shown after a cancel.
    void aCancelledReadLeavesNoThread() {
        QByteArray lines = "NIF;IBAN\n";
        for (int i = 0; i < 300000; ++i) {
            lines += "12345678Z;ES91 2100 0418 4502 0005 1332\n";
        }
        const QString path = Write("grande.csv", lines);
        const int threads = ThreadCount();
        OpenListWindow(tool_, path);
        auto* window = tool_->findChild<QWidget*>("frmLista");
        window->findChild<QPushButton*>("cmdCancelar")->click();
        QTRY_VERIFY(Label(*window, "lblMensajes").contains("cancelada"));
        QCOMPARE(ThreadCount(), threads);
        QVERIFY(window->isVisible());
        QVERIFY(Label(*window, "lblMensajes")
                    .endsWith("Lectura cancelada: se muestran los números leídos hasta entonces."));
        const int shown = window->findChild<QTableView*>("grdLista")->model()->rowCount();
        QVERIFY(shown < 600000);
        QVERIFY(Label(*window, "lblResumen")
                    .startsWith(QString::fromStdString(GroupThousands(std::to_string(shown))) +
                                " número"));
        window->close();
        QTRY_VERIFY(tool_->findChild<QWidget*>("frmLista") == nullptr);

        OpenListWindow(tool_, path);
        tool_->findChild<QWidget*>("frmLista")->close();
        QCOMPARE(ThreadCount(), threads);
        QTRY_VERIFY(tool_->findChild<QWidget*>("frmLista") == nullptr);
        QVERIFY(app_->dialogs.messages.empty());
    }

    void askingForAListOffersListsAndAllFiles() {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QCOMPARE(
                dialog->nameFilters(),
                QStringList({"Listas y hojas de cálculo (*.csv *.txt *.xlsx *.ods *.xls *.xml)",
                             "Todos los archivos (*)"}));
            static_cast<QDialog*>(dialog)->reject();
        });
        QCOMPARE(AskForList(tool_), QString());
    }

  private:
    QString Write(const QString& name, const QByteArray& contents) {
        QFile file(dir_->filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size()) {
            qFatal("cannot write %s", qPrintable(file.fileName()));
        }
        return file.fileName();
    }

    // The list window on `path` once its list is read whole.
    QWidget& Opened(const QString& path) {
        OpenListWindow(tool_, path);
        auto* window = tool_->findChild<QWidget*>("frmLista");
        if (window == nullptr || !QTest::qWaitFor([&] {
                return window->findChild<QPushButton*>("cmdGuardar")->isEnabled();
            })) {
            qFatal("no list window on %s", qPrintable(path));
        }
        return *window;
    }

    // A click on the header of `column`, as the user's.
    static void Click(QTableView& table, int column) {
        QHeaderView& header = *table.horizontalHeader();
        QTest::mouseClick(
            header.viewport(), Qt::LeftButton, {},
            QPoint(header.sectionViewportPosition(column) + header.sectionSize(column) / 2,
                   header.height() / 2));
    }

    static QString Label(const QWidget& window, const char* name) {
        return window.findChild<QLabel*>(name)->text();
    }

    static QString Heard(const QWidget& window, const char* name, QAccessible::Text text) {
        return QAccessible::queryAccessibleInterface(window.findChild<QWidget*>(name))->text(text);
    }

    // "Guardar como...", answered with `filter` and the name `path`.
    static void Save(QWidget& window, const QString& filter, const QString& path) {
        QTimer::singleShot(0, [filter, path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->nameFilters(),
                     QStringList({"Libro de Excel (*.xlsx)", "CSV para Excel (*.csv)"}));
            // As the user's choice in the box does.
            dialog->selectNameFilter(filter);
            emit dialog->filterSelected(filter);
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
        });
        window.findChild<QPushButton*>("cmdGuardar")->click();
    }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<testing::TestShell> app_;
    ToolWindow* tool_ = nullptr;
};

}  // namespace minizol

QTEST_MAIN(minizol::ListWindowTest)
#include "tst_frmLista.moc"
