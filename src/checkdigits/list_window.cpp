#include "checkdigits/list_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QStringList>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "checkdigits/list_check.h"
#include "checkdigits/list_summary.h"
#include "checkdigits/list_table_model.h"
#include "lists/report_file.h"
#include "platform/accessibility.h"
#include "platform/dialogs.h"
#include "platform/field_behaviour.h"
#include "platform/qt_convert.h"
#include "shell/app_icon.h"
#include "shell/shell.h"
#include "shell/tool_window.h"

namespace minizol {
namespace {

const AccessibleText kAccessibleTexts[] = {
    {"frmLista", Reading::Named, "Comprobar una lista"},
    {"lblArchivo", Reading::ItsText, "Archivo"},
    // The figures are what is read; the label is set no more often than the rows come.
    {"lblResumen", Reading::Titled, "Resumen"},
    {"lblMensajes", Reading::ItsText, "Mensajes de la lectura"},
    {"lblFiltro", Reading::ItsText, "Mostrar"},
    {"cboFiltro", Reading::Choice, "Mostrar", "Todas, o solo las de números que no son correctos"},
    {"lblColumnas", Reading::ItsText, "Columnas"},
    // Read with the columns it shows (ReadWith).
    {"cmdColumnas", Reading::Named, "Columnas comprobadas",
     "Elija las columnas de la lista cuyos números se comprueban"},
    {"prgLectura", Reading::Named, "Progreso de la lectura"},
    {"cmdCancelar", Reading::Named, "Cancelar la lectura"},
    // Read by its own words, which are those a user of voice control says.
    {"cmdGuardar", Reading::Named, "",
     "Guarda el informe en un libro de Excel o en un CSV, con las columnas de la lista"},
    // Described by the columns it has (DescribeTable).
    {"grdLista", Reading::Named, "Números comprobados"},
};

// Plain texts: nothing of the list window is made before the first list.
constexpr char kWorkbookFilter[] = "Libro de Excel (*.xlsx)";
constexpr char kCsvFilter[] = "CSV para Excel (*.csv)";

// How often the window takes the rows checked meanwhile: rows appear as they come, and each
// take is small enough never to hold up a repaint.
constexpr int kTakeEveryMs = 40;
// A list read at once shows whole; a slow one shows its window while it is read. A file that
// cannot be read gets its message box before any window.
constexpr int kShowAfterMs = 300;

// The help of the window (F1).
QString HelpText() {
    static const QStringList lines = {
        "Esta ventana muestra cada número de la lista con su resultado:",
        "correcto, incorrecto (en rojo), incompleto (sin control: se muestra",
        "el calculado) o desconocido (no es un número de ningún tipo).",
        "",
        "Pulsa el título de una columna para ordenar por ella. «Mostrar» deja",
        "ver todas las filas o solo las de los números que no son correctos.",
        "«Columnas» muestra las columnas de la lista que se comprueban: marca o",
        "desmarca las que quieras y la lista se vuelve a comprobar.",
        "",
        "Selecciona filas y cópialas con el botón derecho o con Ctrl+C para",
        "pegarlas en una hoja de cálculo.",
        "",
        "«Guardar como...» escribe todas las filas, las columnas de la lista y a",
        "su lado los resultados: en un libro de Excel (.xlsx), con los incorrectos",
        "en rojo, o en un CSV que Excel abre con un doble clic.",
        "",
        "Esc cierra la ventana y vuelve a DigiZol.",
    };
    return lines.join("\r\n");
}

Dialogs& DialogsOf(QWidget* tool) {
    if (auto* window = qobject_cast<ToolWindow*>(tool)) {
        return window->shell().dialogs();
    }
    static SystemDialogs system;
    return system;
}

// "línea, entrada y tipo": the words of a description.
QString InWords(QStringList words) {
    const QString last = words.isEmpty() ? QString() : words.takeLast();
    return words.isEmpty() ? last : words.join(QStringLiteral(", ")) + QStringLiteral(" y ") + last;
}

// A cell as one field of a line of tab-separated text.
QString CopiedCell(QString text) {
    return text.replace('\t', ' ').replace('\n', ' ').replace('\r', ' ');
}

class frmLista final : public QWidget {
  public:
    frmLista(QWidget* tool, Dialogs& dialogs, const QString& path);
    ~frmLista() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateControls();
    void PlaceOverTool();
    void ShowFirstRows();

    void tmrLectura_Timer();
    void cboFiltro_Click();
    void mnuColumna_Click(QAction* action);
    void cmdCancelar_Click();
    void cmdGuardar_Click();
    void mnuCopiar_Click();
    void mnuAyuda_Click();

    void ReadingEnded(bool read);
    void Sort(int column, Qt::SortOrder order);
    void SortEnded(unsigned sort, std::vector<int> rows);
    void WaitForSorts();
    void ShowColumns(const std::vector<std::string>& names,
                     const std::vector<std::size_t>& checked);
    void ShowCheckedColumns();
    void DescribeTable();
    void Read(std::vector<std::string> columns);
    void SavingEnded();
    void ShowMessages();
    QString Shown(const std::string& message) const;
    QString AskWhereToSave();

    QWidget* tool_;
    Dialogs& dialogs_;
    const QString path_;
    const QString name_;
    std::unique_ptr<ListCheck> check_;
    ListCheck::News news_;
    QElapsedTimer sinceOpened_;
    QStringList messages_;
    bool columnsSized_ = false;
    bool reread_ = false;  // the columns were chosen: the window stays whatever comes
    bool header_ = false;  // the list's first record names its columns

    std::thread saving_;
    std::atomic<bool> saved_{false};
    bool savedWhole_ = false;
    std::string saveError_;
    QString savePath_;

    // The sorts under way, by their number: only the last one started is shown when over.
    std::map<unsigned, std::thread> sorts_;
    unsigned sortsStarted_ = 0;

    ListTableModel* model_ = nullptr;
    ListFilterModel* filter_ = nullptr;
    QLabel* lblArchivo_ = nullptr;
    QLabel* lblResumen_ = nullptr;
    QLabel* lblMensajes_ = nullptr;
    QComboBox* cboFiltro_ = nullptr;
    QLabel* lblColumnas_ = nullptr;
    QPushButton* cmdColumnas_ = nullptr;
    QMenu* mnuColumnas_ = nullptr;
    QProgressBar* prgLectura_ = nullptr;
    QPushButton* cmdCancelar_ = nullptr;
    QPushButton* cmdGuardar_ = nullptr;
    QTableView* grdLista_ = nullptr;
    QTimer* tmrLectura_ = nullptr;
};

frmLista::frmLista(QWidget* tool, Dialogs& dialogs, const QString& path)
    : QWidget(tool, Qt::Window),
      tool_(tool),
      dialogs_(dialogs),
      path_(path),
      name_(QFileInfo(path).fileName()) {
    setObjectName("frmLista");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Comprobar una lista — %1").arg(name_));
    setWindowIcon(ApplicationIcon());
    CreateControls();
    PlaceOverTool();

    sinceOpened_.start();
    Read({});
}

frmLista::~frmLista() {
    check_.reset();  // cancels the reading, and waits for it
    WaitForSorts();  // they read the rows the window owns
    if (saving_.joinable()) {
        saving_.join();  // a file half written would be left behind
    }
}

void frmLista::CreateControls() {
    lblArchivo_ = new QLabel(name_, this);
    lblArchivo_->setObjectName("lblArchivo");
    QFont bold = lblArchivo_->font();
    bold.setBold(true);
    lblArchivo_->setFont(bold);
    lblArchivo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblArchivo_->setToolTip(path_);
    lblResumen_ = new QLabel(this);
    lblResumen_->setObjectName("lblResumen");
    lblMensajes_ = new QLabel(this);
    lblMensajes_->setObjectName("lblMensajes");
    lblMensajes_->setWordWrap(true);
    lblMensajes_->setTextFormat(Qt::PlainText);
    lblMensajes_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* lblFiltro = new QLabel(QStringLiteral("&Mostrar:"), this);
    lblFiltro->setObjectName("lblFiltro");
    cboFiltro_ = new QComboBox(this);
    cboFiltro_->setObjectName("cboFiltro");
    cboFiltro_->addItems(
        {QStringLiteral("Todos"), QStringLiteral("Solo los que no son correctos")});
    lblFiltro->setBuddy(cboFiltro_);
    EscapeClosesOnlyTheList(*cboFiltro_);
    // Shown for a table of several columns, once the reader has found them.
    lblColumnas_ = new QLabel(QStringLiteral("Co&lumnas:"), this);
    lblColumnas_->setObjectName("lblColumnas");
    lblColumnas_->hide();
    mnuColumnas_ = new QMenu(this);
    mnuColumnas_->setObjectName("mnuColumnas");
    cmdColumnas_ = new QPushButton(this);
    cmdColumnas_->setObjectName("cmdColumnas");
    cmdColumnas_->setMenu(mnuColumnas_);
    cmdColumnas_->hide();
    lblColumnas_->setBuddy(cmdColumnas_);
    prgLectura_ = new QProgressBar(this);
    prgLectura_->setObjectName("prgLectura");
    prgLectura_->setRange(0, 0);  // busy until the reader tells how far it is
    prgLectura_->setMaximumWidth(220);
    cmdCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar_->setObjectName("cmdCancelar");
    cmdGuardar_ = new QPushButton(QStringLiteral("&Guardar como..."), this);
    cmdGuardar_->setObjectName("cmdGuardar");
    cmdGuardar_->setEnabled(false);

    model_ = new ListTableModel(this);
    filter_ = new ListFilterModel(*model_, this);
    filter_->SortWith([this](int column, Qt::SortOrder order) { Sort(column, order); });
    grdLista_ = new QTableView(this);
    grdLista_->setObjectName("grdLista");
    grdLista_->setModel(filter_);
    grdLista_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdLista_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grdLista_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdLista_->setAlternatingRowColors(true);
    grdLista_->setWordWrap(false);
    // Rows are chosen whole: Tab leaves the table for the controls, as in any other window.
    grdLista_->setTabKeyNavigation(false);
    // Rows of one height, the line numbers in a column of their own: a million rows cost the
    // headers nothing.
    grdLista_->verticalHeader()->hide();
    grdLista_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdLista_->verticalHeader()->setDefaultSectionSize(grdLista_->fontMetrics().height() + 6);
    grdLista_->horizontalHeader()->setStretchLastSection(true);
    grdLista_->horizontalHeader()->setHighlightSections(false);
    grdLista_->horizontalHeader()->setResizeContentsPrecision(200);
    // In line order until a header is clicked, which it can be once the list is read: rows
    // coming into a table sorted by a text would each be put in their place, a million times
    // over.
    grdLista_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    model_->SetPalette(grdLista_->palette());

    auto* mnuCopiar = new QAction(QStringLiteral("&Copiar"), grdLista_);
    mnuCopiar->setObjectName("mnuCopiar");
    mnuCopiar->setShortcut(QKeySequence::Copy);
    mnuCopiar->setShortcutContext(Qt::WidgetShortcut);
    grdLista_->addAction(mnuCopiar);
    grdLista_->setContextMenuPolicy(Qt::ActionsContextMenu);
    // The view copies only the current cell at the copy key; the rows selected are meant.
    grdLista_->installEventFilter(this);

    auto* controls = new QHBoxLayout;
    controls->addWidget(lblFiltro);
    controls->addWidget(cboFiltro_);
    controls->addSpacing(12);
    controls->addWidget(lblColumnas_);
    controls->addWidget(cmdColumnas_);
    controls->addStretch();
    controls->addWidget(prgLectura_);
    controls->addWidget(cmdCancelar_);
    controls->addWidget(cmdGuardar_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblArchivo_);
    layout->addWidget(lblResumen_);
    layout->addWidget(lblMensajes_);
    layout->addLayout(controls);
    layout->addWidget(grdLista_, 1);
    NameControls(*this, kAccessibleTexts);
    setTabOrder(grdLista_, cboFiltro_);
    setTabOrder(cboFiltro_, cmdColumnas_);
    setTabOrder(cmdColumnas_, cmdCancelar_);
    setTabOrder(cmdCancelar_, cmdGuardar_);
    grdLista_->setFocus();

    tmrLectura_ = new QTimer(this);
    connect(tmrLectura_, &QTimer::timeout, this, [this] { tmrLectura_Timer(); });
    connect(cboFiltro_, &QComboBox::currentIndexChanged, this, [this] { cboFiltro_Click(); });
    // The columns change with the form of the rows, and the table is emptied then.
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { DescribeTable(); });
    connect(mnuColumnas_, &QMenu::triggered, this,
            [this](QAction* action) { mnuColumna_Click(action); });
    connect(cmdCancelar_, &QPushButton::clicked, this, [this] { cmdCancelar_Click(); });
    connect(cmdGuardar_, &QPushButton::clicked, this, [this] { cmdGuardar_Click(); });
    connect(mnuCopiar, &QAction::triggered, this, [this] { mnuCopiar_Click(); });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { mnuAyuda_Click(); });
    lblResumen_->setText(FromUtf8(GroupedSummaryText({})));
}

// Over the middle of the tool window, inside the screen it stands on.
void frmLista::PlaceOverTool() {
    const QScreen* screen = tool_ != nullptr ? tool_->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    // Wide enough for every column of a grouped IBAN's row, its reason included, on a laptop.
    const QSize size(std::min(1120, area.width() * 9 / 10), std::min(560, area.height() * 9 / 10));
    resize(size);
    const QPoint centre =
        tool_ != nullptr && tool_->isVisible() ? tool_->frameGeometry().center() : area.center();
    QRect placed(QPoint(), size);
    placed.moveCenter(centre);
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() - size.width()));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() - size.height()));
    move(placed.topLeft());
}

void frmLista::tmrLectura_Timer() {
    if (saving_.joinable()) {
        if (saved_) {
            SavingEnded();
        }
        return;
    }
    if (!check_) {
        return;
    }
    check_->TakeNews(news_);
    if (news_.columnsTold) {
        ShowColumns(news_.columnNames, news_.checkedColumns);
    }
    if (news_.reportStarted && model_->rowCount() == 0 && news_.rows.size() > 0) {
        model_->Start(news_.withColumn);
    }
    model_->Append(std::move(news_.rows));
    for (const std::string& message : news_.said) {
        messages_ << Shown(message);
    }
    if (!news_.said.empty()) {
        ShowMessages();
    }
    if (news_.size > 0) {
        prgLectura_->setRange(0, 1000);
        prgLectura_->setValue(
            static_cast<int>(std::min<std::uint64_t>(news_.done, news_.size) * 1000 / news_.size));
    }
    lblResumen_->setText(FromUtf8(GroupedSummaryText(model_->tally())));
    if (news_.finished) {
        tmrLectura_->stop();
        ReadingEnded(news_.read);
        return;
    }
    if (!isVisible() && (model_->rowCount() > 0 || sinceOpened_.elapsed() >= kShowAfterMs)) {
        ShowFirstRows();
    }
}

void frmLista::ShowFirstRows() {
    // Sized once, by the first rows: the reader hands on thousands at a time, or the whole list.
    // No column is wider than a grouped Spanish IBAN, so that the reason at the end stays in
    // sight; a longer text is cut with "…" and its tooltip shows it whole. The last column takes
    // the room left, and no more.
    if (!columnsSized_ && model_->rowCount() > 0) {
        columnsSized_ = true;
        const int widest = grdLista_->fontMetrics().horizontalAdvance(
            QStringLiteral("ES91 2100 0418 4502 0005 1332  "));
        for (int column = 0; column + 1 < model_->columnCount(); ++column) {
            grdLista_->resizeColumnToContents(column);
            grdLista_->setColumnWidth(column, std::min(grdLista_->columnWidth(column), widest));
        }
    }
    if (!isVisible()) {
        show();
        raise();
        activateWindow();
    }
}

void frmLista::ReadingEnded(bool read) {
    prgLectura_->hide();
    cmdCancelar_->hide();
    const bool cancelled = !read && check_->cancelled();
    check_.reset();  // its thread is over: joined now rather than with the window
    const bool anyRow = model_->rowCount() > 0;
    if (!read && !cancelled && !anyRow && !reread_) {
        // Nothing to show: the reason in a box over DigiZol, as it was.
        QStringList reasons = messages_;
        if (reasons.isEmpty()) {
            reasons << QStringLiteral("«%1» no es una lista.").arg(name_);
        }
        hide();
        dialogs_.Message(tool_,
                         QStringLiteral("No se puede comprobar «%1»:").arg(name_) + "\r\n" +
                             reasons.join("\r\n"),
                         MessageIcon::Exclamation, kApplicationTitle);
        deleteLater();
        return;
    }
    if (cancelled) {
        messages_ << QStringLiteral(
            "Lectura cancelada: se muestran los números leídos hasta "
            "entonces.");
        ShowMessages();
    }
    ShowFirstRows();
    grdLista_->setSortingEnabled(true);
    cmdGuardar_->setEnabled(anyRow);
    if (!read && !cancelled) {
        // Read in part: what was read is shown, and why the rest was not is said aloud.
        dialogs_.Message(this,
                         QStringLiteral("«%1» no se pudo leer entero:").arg(name_) + "\r\n" +
                             messages_.join("\r\n"),
                         MessageIcon::Exclamation, kApplicationTitle);
    }
}

// Sorting a million rows by a text takes seconds: the order is worked out on a thread, the rows
// keep their order until it is ready, and a click meanwhile makes it stale.
void frmLista::Sort(int column, Qt::SortOrder order) {
    const unsigned sort = ++sortsStarted_;
    if (column < 0) {
        filter_->SetOrder({});  // line order: nothing to work out
        return;
    }
    sorts_.emplace(sort, std::thread([this, sort, column, order] {
                       std::vector<int> rows = model_->Order(column, order);
                       // Not delivered if the window is gone meanwhile.
                       QMetaObject::invokeMethod(
                           this,
                           [this, sort, rows = std::move(rows)]() mutable {
                               SortEnded(sort, std::move(rows));
                           },
                           Qt::QueuedConnection);
                   }));
}

void frmLista::SortEnded(unsigned sort, std::vector<int> rows) {
    if (const auto ended = sorts_.find(sort); ended != sorts_.end()) {
        ended->second.join();  // over but for its return
        sorts_.erase(ended);
    }
    if (sort == sortsStarted_) {
        filter_->SetOrder(std::move(rows));
    }
}

void frmLista::WaitForSorts() {
    for (auto& [sort, thread] : sorts_) {
        thread.join();
    }
    sorts_.clear();
    ++sortsStarted_;  // the orders they have sent are of rows gone
}

// A message of the reader as the window shows it: the file by its name, which stands above it
// and needs no saying again, and no hints at the command line's options.
QString frmLista::Shown(const std::string& message) const {
    static const QRegularExpression kCommandHint(QStringLiteral(" *\\([^()]*--[a-z]+[^()]*\\)$"));
    QString shown = FromUtf8(message);
    shown.replace(path_, name_);
    shown.remove(kCommandHint);
    if (const QString prefix = name_ + ": "; shown.startsWith(prefix)) {
        shown.remove(0, prefix.size());
    }
    if (!shown.isEmpty()) {
        shown[0] = shown[0].toUpper();
    }
    return shown;
}

void frmLista::ShowMessages() {
    lblMensajes_->setText(messages_.join('\n'));
}

void frmLista::cboFiltro_Click() {
    filter_->ShowOnlyNotRight(cboFiltro_->currentIndex() == 1);
}

// Reads the list anew, checking `columns` (numbers from 1), or those found when none.
void frmLista::Read(std::vector<std::string> columns) {
    tmrLectura_->stop();
    check_.reset();  // cancels the reading under way, and waits for it
    WaitForSorts();  // the rows they read go now
    messages_.clear();
    ShowMessages();
    grdLista_->setSortingEnabled(false);
    grdLista_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    filter_->sort(-1);
    model_->Start(false);
    lblResumen_->setText(FromUtf8(GroupedSummaryText({})));
    columnsSized_ = false;
    prgLectura_->setRange(0, 0);
    prgLectura_->show();
    cmdCancelar_->setEnabled(true);
    cmdCancelar_->show();
    cmdGuardar_->setEnabled(false);
    check_ = std::make_unique<ListCheck>(QFile::encodeName(path_).toStdString(), std::move(columns),
                                         header_);
    tmrLectura_->start(kTakeEveryMs);
}

void frmLista::ShowColumns(const std::vector<std::string>& names,
                           const std::vector<std::size_t>& checked) {
    const bool several = names.size() > 1;
    lblColumnas_->setVisible(several);
    cmdColumnas_->setVisible(several);
    if (!several) {
        return;
    }
    header_ = std::any_of(names.begin(), names.end(), [](auto& name) { return !name.empty(); });
    mnuColumnas_->clear();
    for (std::size_t column = 0; column < names.size(); ++column) {
        const QString name = names[column].empty() ? QStringLiteral("Columna %1").arg(column + 1)
                                                   : FromUtf8(names[column]);
        // No mnemonic: a column's name is shown as it is.
        QAction* action = mnuColumnas_->addAction(QString(name).replace('&', "&&"));
        action->setCheckable(true);
        action->setChecked(std::find(checked.begin(), checked.end(), column) != checked.end());
        action->setData(QVariant::fromValue(column + 1));
        action->setIconText(name);
    }
    ShowCheckedColumns();
}

// The button says which columns are checked; with none, whole lines are.
void frmLista::ShowCheckedColumns() {
    QStringList checked;
    for (const QAction* action : mnuColumnas_->actions()) {
        if (action->isChecked()) {
            checked << action->iconText();
        }
    }
    const QString shown =
        checked.isEmpty() ? QStringLiteral("ninguna") : checked.join(QStringLiteral(", "));
    // A header's "&" is shown as it is, not taken for the button's key.
    cmdColumnas_->setText(QString(shown).replace('&', QStringLiteral("&&")));
    ReadWith(*cmdColumnas_, shown);
}

// The table's description names its columns as the headers do, whichever they are.
void frmLista::DescribeTable() {
    QStringList columns;
    for (int column = 0; column < model_->columnCount(); ++column) {
        columns << model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    Describe(*grdLista_, QStringLiteral("Una fila por número: ") + InWords(columns));
}

void frmLista::mnuColumna_Click(QAction* action) {
    std::vector<std::string> columns;
    for (const QAction* each : mnuColumnas_->actions()) {
        if (each->isChecked()) {
            columns.push_back(std::to_string(each->data().toULongLong()));
        }
    }
    if (columns.empty()) {
        // Some column is always checked: with none, the reader would choose them again.
        action->setChecked(true);
        return;
    }
    ShowCheckedColumns();
    reread_ = true;
    Read(std::move(columns));
}

void frmLista::cmdCancelar_Click() {
    if (check_) {
        check_->Cancel();
    }
    cmdCancelar_->setEnabled(false);
}

QString frmLista::AskWhereToSave() {
    const QFileInfo input(path_);
    QFileDialog dialog(this, QStringLiteral("Guardar el informe"),
                       input.dir().filePath(input.completeBaseName() + "-comprobado.xlsx"));
    dialog.setObjectName("dlgGuardar");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QString::fromLatin1(kWorkbookFilter), QString::fromLatin1(kCsvFilter)});
    dialog.setDefaultSuffix("xlsx");
    // A name typed without a suffix takes the form chosen.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter == QLatin1String(kCsvFilter) ? "csv" : "xlsx");
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

void frmLista::cmdGuardar_Click() {
    savePath_ = AskWhereToSave();
    if (savePath_.isEmpty()) {
        return;
    }
    // A million rows take seconds to write: on a thread of their own, the window stays alive.
    // The rows change no more once read, and the table only reads them meanwhile.
    cmdGuardar_->setEnabled(false);
    cmdColumnas_->setEnabled(false);  // the rows are being written
    prgLectura_->setRange(0, 0);
    prgLectura_->show();
    messages_ << QStringLiteral("Guardando «%1»...").arg(QFileInfo(savePath_).fileName());
    ShowMessages();
    saved_ = false;
    saving_ = std::thread([this, path = QFile::encodeName(savePath_).toStdString()] {
        savedWhole_ = SaveReport([this](ReportWriter& report) { model_->WriteTo(report); },
                                 model_->withColumn(), path, saveError_);
        saved_ = true;
    });
    tmrLectura_->start(kTakeEveryMs);
}

void frmLista::SavingEnded() {
    saving_.join();
    tmrLectura_->stop();
    prgLectura_->hide();
    cmdGuardar_->setEnabled(true);
    cmdColumnas_->setEnabled(true);
    const QString name = QFileInfo(savePath_).fileName();
    messages_.removeLast();
    if (savedWhole_) {
        messages_ << QStringLiteral("Guardado en «%1».").arg(name);
        ShowMessages();
        return;
    }
    ShowMessages();
    dialogs_.Message(
        this,
        QStringLiteral("No se ha podido guardar «%1»:").arg(name) + "\r\n" + FromUtf8(saveError_),
        MessageIcon::Exclamation, kApplicationTitle);
}

void frmLista::mnuCopiar_Click() {
    QModelIndexList rows = grdLista_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex& row : rows) {
        QStringList cells;
        for (int column = 0; column < filter_->columnCount(); ++column) {
            cells << CopiedCell(filter_->index(row.row(), column).data().toString());
        }
        lines << cells.join('\t');
    }
    if (!lines.isEmpty()) {
        QGuiApplication::clipboard()->setText(lines.join('\n') + '\n');
    }
}

void frmLista::mnuAyuda_Click() {
    dialogs_.Message(this, HelpText(), MessageIcon::Information, QStringLiteral("Ayuda"));
}

bool frmLista::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grdLista_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        mnuCopiar_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmLista::closeEvent(QCloseEvent* event) {
    tmrLectura_->stop();
    check_.reset();  // no reading goes on behind a closed window
    event->accept();
}

void frmLista::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) {
        model_->SetPalette(grdLista_->palette());
    }
    QWidget::changeEvent(event);
}

}  // namespace

QString AskForList(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("Comprobar una lista"), QString(),
        QStringLiteral("Listas y hojas de cálculo (*.csv *.txt *.xlsx *.ods *.xls *.xml);;"
                       "Todos los archivos (*)"));
}

void OpenListWindow(QWidget* tool, const QString& path) {
    // It shows itself once its first rows are read, and is gone when closed.
    new frmLista(tool, DialogsOf(tool), path);
}

}  // namespace minizol
