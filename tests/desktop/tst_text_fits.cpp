#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTest>

#include "checkdigits/bank_table.h"
#include "checkdigits/cif.h"
#include "memory/memory_report.h"
#include "platform/fonts.h"
#include "platform/qt_convert.h"
#include "shell/FormQuorvane.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

// The rectangle a line edit draws its text in, as QLineEdit's own painting works it out: inside
// its frame (the style's line-edit contents) and text margins, less the 2 x 1 pixels it keeps.
QRect TextRoom(const QLineEdit& field) {
    const int frame =
        field.hasFrame() ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
    return field.rect()
        .marginsRemoved(field.textMargins())
        .adjusted(frame + 2, frame + 1, -frame - 2, -frame - 1);
}

// The shown labels and fields of `window` whose text does not stand whole in them; `shown`
// receives every text.
QStringList CutOff(const QWidget& window, QStringList& shown) {
    QStringList cut;
    for (const QWidget* control : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(control);
        const auto* field = qobject_cast<const QLineEdit*>(control);
        const QString text = label ? label->text() : field ? field->displayText() : QString();
        if (text.isEmpty() || !control->isVisibleTo(&window)) {
            continue;  // no text control, a picture, or hidden
        }
        shown << text;
        const QFontMetrics metrics(control->font());
        const QRect room = field ? TextRoom(*field) : label->contentsRect();
        // A label needs its lines' box; a field scrolls once its text and the cursor do not fit.
        const QSize need = field ? QSize(metrics.horizontalAdvance(text) + 1, metrics.height())
                                 : metrics.boundingRect(QRect(), 0, text).size();
        // Of one line, placed as the toolkit places it, only the ink must keep within the
        // height: the line has room for accents the text may not have.
        const QRect line =
            metrics.boundingRect(room, field ? field->alignment() : label->alignment(), text);
        const QRect ink =
            metrics.tightBoundingRect(text).translated(0, line.top() + metrics.ascent());
        const bool inkFits = ink.top() >= room.top() && ink.bottom() <= room.bottom();
        if (need.width() > room.width() ||
            (text.contains('\n') ? need.height() > room.height() : !inkFits) ||
            !control->parentWidget()->rect().contains(control->geometry())) {
            QDebug(&cut.emplace_back()).nospace()
                << control->objectName() << " " << text << " needs " << need << " in " << room
                << " at " << control->geometry() << " of " << control->parentWidget()->rect();
        }
    }
    return cut;
}

}  // namespace

class TextFitsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallFontSubstitutions(); }

    // The windows are laid out for these families; a wider fallback would move every text.
    void namedFontsTakeMetricCompatibleFamilies() {
        for (const auto& [named, installed] : {std::pair{"MS Sans Serif", "Liberation Sans"},
                                               {"Arial", "Liberation Sans"},
                                               {"Courier New", "Liberation Mono"},
                                               {"Verdana", "DejaVu Sans"}}) {
            QVERIFY2(QFontDatabase::hasFamily(installed),
                     qPrintable(QString(installed) + " is missing: scripts/run installs it"));
            QCOMPARE(QFontInfo(NamedFont(named, 8.25, false)).family(), installed);
            QCOMPARE(QFontInfo(NamedFont(named, 12, true)).family(), installed);
        }
    }

    // The window is the tag's first word. A step is keys typed into it ("^": the Up arrow) or
    // "control=text"; `shows` proves that the steps reached the state.
    void textsStandWhole_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("shows");
        const auto row = [](const char* tag, const QStringList& steps, const QString& shows = {}) {
            QTest::newRow(tag) << steps << shows;
        };
        const auto report = [](const std::optional<MemoryStatus>& status) {
            return "Label1=" + FromUtf8(PrintRamInformation(status, ",")).replace("\r\n", "\n");
        };
        const std::uint64_t most = (std::uint64_t{1023} << 40) + (std::uint64_t{999} << 30);
        row("EuroZol 1000 E", {"1000E"});
        row("EuroZol longest negative, operator and memory", {"999999999999 ", "^", "*"}, "M");
        row("EuroZol error", {"999999999999+1\r"}, "(Error)");
        row("EuroZol exponent", {"999999999999 *99999999,9999\r"}, "-1E+20");
        row("DigiZol examples", {"txtDNI=B1234567", "txtCuenta(0)=2100", "txtCuenta(1)=0418",
                                 "txtCuenta(2)=0200051332", "txtISBN=0-8044-2957"});
        row("DigiZol complete numbers", {"txtDNI=M8888888W", "txtISBN=978-8-8888-8888-8"});
        row("DigiZol widest holder", {"txtDNI=G1234567"}, FromUtf8(EntityTypeText(IdentityKind::Company, 'G')));
        row("DigiZol widest bank", {"txtCuenta(0)=2077"}, FromUtf8(*BankName(2077)));
        row("DigiZol wide digits", {"txtCuenta(0)=8888", "txtCuenta(1)=8888",
                                    "txtCuenta(2)=8888888888", "txtISBN=8-8888-8888"});
        // The longest IBANs, and those with the most (wide) letters, stand whole in the bank label.
        for (const char* iban :
             {"RU02 0445 2560 0407 0281 0412 3456 7890 1",
              "LC55 HEMM 0001 0001 0012 0012 0002 3015", "MT84 MALT 0110 0001 2345 MTLC AST0 01S",
              "SC18 SSCB 1101 0000 0000 0000 1497 USD"}) {
            QTest::addRow("DigiZol IBAN %.4s", iban)
                << QStringList{QString("txtCuenta(0)=") + iban} << QString(iban);
        }
        row("ReglaZol", {});
        row("MemoZol on this machine", {}, "Memory Load:");
        row("MemoZol widest", {report(MemoryStatus{100, most, most, most, most, most, most, most})},
            "1023,98 TB");  // every value in the largest unit
        row("MemoZol unavailable", {report(std::nullopt)}, "n/d");
        row("About", {});
    }
    // At the default font size every text the windows show stands whole in its control.
    void textsStandWhole() {
        QFETCH(QStringList, steps);
        QFETCH(QString, shows);
        const std::string name = QString(QTest::currentDataTag()).section(' ', 0, 0).toStdString();
        testing::TestShell app;
        FormQuorvane about(app.dialogs);
        QWidget* window =
            name == "About" ? static_cast<QWidget*>(&about) : &app.shell.Show(*ToolFromTag(name));
        for (const QString& step : steps) {
            if (const qsizetype is = step.indexOf('='); is > 0) {
                window->findChild<QWidget*>(step.left(is))->setProperty("text", step.mid(is + 1));
            } else {
                step == "^" ? QTest::keyClick(window, Qt::Key_Up) : QTest::keyClicks(window, step);
            }
        }
        QStringList shown, cut;  // checked again until the window shows `shows`
        QTRY_VERIFY2(
            (shown.clear(), cut = CutOff(*window, shown), shown.join('\n').contains(shows)),
            qPrintable(shown.join(" | ")));
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join("; ")));
    }
};

}  // namespace minizol

QTEST_MAIN(minizol::TextFitsTest)
#include "tst_text_fits.moc"
