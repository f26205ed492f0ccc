#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTest>

#include "checkdigits/bank_table.h"
#include "memory/memory_report.h"
#include "platform/fonts.h"
#include "platform/qt_convert.h"
#include "shell/FormQuorvane.h"
#include "shell/shell.h"
#include "shell/tool_window.h"
#include "support/test_shell.h"

namespace minizol {
namespace {

QString Describe(const QWidget& control, const QString& text, QSize need, QSize room) {
    return QStringLiteral("%1 \"%2\": needs %3 x %4 px, has %5 x %6")
        .arg(control.objectName(), text)
        .arg(need.width())
        .arg(need.height())
        .arg(room.width())
        .arg(room.height());
}

// The rectangle a line edit draws its text in, worked out as QLineEdit's own painting does:
// the style's contents rectangle less the text margins and the 2 x 1 pixels it keeps free.
QRect TextRoom(const QLineEdit& field) {
    QStyleOptionFrame panel;
    panel.initFrom(&field);
    panel.rect = field.rect();
    panel.lineWidth = field.hasFrame()
                          ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, &field)
                          : 0;
    panel.midLineWidth = 0;
    panel.state |= QStyle::State_Sunken;
    const QRect contents =
        field.style()->subElementRect(QStyle::SE_LineEditContents, &panel, &field);
    return contents.marginsRemoved(field.textMargins()).adjusted(2, 1, -2, -1);
}

// Whether the glyphs of a one-line `text`, placed in `room` by `alignment` as the toolkit
// places a line, keep within its top and bottom. The line's own height includes room for
// descenders and accents the text may not have, so only the ink counts: "X" in a box a pixel
// lower than the line is still whole. Returns a description of the overflow, or nothing.
QString InkOverflow(const QFontMetrics& metrics, const QString& text, const QRect& room,
                    Qt::Alignment alignment) {
    double top = room.top();
    if (alignment & Qt::AlignVCenter) {
        top += (room.height() - metrics.height()) / 2.0;
    } else if (alignment & Qt::AlignBottom) {
        top += room.height() - metrics.height();
    }
    const double baseline = top + metrics.ascent();
    const QRect ink = metrics.tightBoundingRect(text);
    const double inkTop = baseline + ink.top();
    const double inkBottom = baseline + ink.bottom() + 1;
    if (inkTop >= room.top() && inkBottom <= room.bottom() + 1) {
        return {};
    }
    return QStringLiteral("glyphs from y = %1 to %2, room from %3 to %4")
        .arg(inkTop)
        .arg(inkBottom)
        .arg(room.top())
        .arg(room.bottom() + 1);
}

// The shown labels and fields of `window` whose text is cut off, with the sizes involved.
QStringList CutOff(const QWidget& window) {
    QStringList problems;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || label->text().isEmpty()) {
            continue;  // hidden, or a picture
        }
        const QSize room = label->size();
        const QFontMetrics metrics(label->font());
        if (label->wordWrap()) {
            // Wrapped text takes the label's width: no line may need to be broken, and all the
            // lines must fit in its height.
            for (const QString& line : label->text().split('\n')) {
                const int width = metrics.horizontalAdvance(line);
                if (width > label->contentsRect().width()) {
                    problems << Describe(*label, line, {width, metrics.height()},
                                         label->contentsRect().size()) +
                                    " (the line wraps)";
                }
            }
            const int height = label->heightForWidth(room.width());
            if (height > room.height()) {
                problems << Describe(*label, label->text(), {room.width(), height}, room);
            }
        } else {
            if (label->sizeHint().width() > room.width()) {
                problems << Describe(*label, label->text(), label->sizeHint(), room);
            }
            const QString overflow =
                InkOverflow(metrics, label->text(), label->contentsRect(), label->alignment());
            if (!overflow.isEmpty()) {
                problems << Describe(*label, label->text(), label->sizeHint(), room) + " (" +
                                overflow + ")";
            }
        }
        const QRect inParent = label->parentWidget()->rect();
        if (!inParent.contains(label->geometry())) {
            problems << Describe(*label, label->text(), label->geometry().size(), inParent.size()) +
                            QStringLiteral(" (reaches out of its window to x = %1)")
                                .arg(label->geometry().right());
        }
    }
    for (const QLineEdit* field : window.findChildren<QLineEdit*>()) {
        if (!field->isVisibleTo(&window) || field->displayText().isEmpty()) {
            continue;
        }
        const QFontMetrics metrics(field->font());
        // One more pixel for the cursor: the field scrolls as soon as that does not fit.
        const QSize need(metrics.horizontalAdvance(field->displayText()) + 1, metrics.height());
        const QRect room = TextRoom(*field);
        if (need.width() > room.width()) {
            problems << Describe(*field, field->displayText(), need, room.size());
        }
        const QString overflow =
            InkOverflow(metrics, field->displayText(), room, field->alignment());
        if (!overflow.isEmpty()) {
            problems << Describe(*field, field->displayText(), need, room.size()) + " (" +
                            overflow + ")";
        }
    }
    return problems;
}

#define CHECK_FITS(window, when)                                                       \
    do {                                                                               \
        const QStringList problems = CutOff(window);                                   \
        QVERIFY2(problems.isEmpty(),                                                   \
                 qPrintable(QStringLiteral("%1: %2").arg(when, problems.join("; ")))); \
    } while (false)

QLineEdit* Field(const QWidget& window, const char* name) {
    auto* field = window.findChild<QLineEdit*>(name);
    Q_ASSERT(field != nullptr);
    return field;
}

}  // namespace

// At the default font size every text the windows show stands whole in its control.
class TextFitsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void init() { app_ = std::make_unique<testing::TestShell>(); }
    void cleanup() { app_.reset(); }

    void namedFontsTakeMetricCompatibleFamilies_data() {
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("installed");
        QTest::addColumn<QString>("package");
        QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                       << "Liberation Sans"
                                       << "fonts-liberation";
        QTest::newRow("Arial") << "Arial"
                               << "Liberation Sans"
                               << "fonts-liberation";
        QTest::newRow("Courier New") << "Courier New"
                                     << "Liberation Mono"
                                     << "fonts-liberation";
        QTest::newRow("Verdana") << "Verdana"
                                 << "DejaVu Sans"
                                 << "fonts-dejavu-core";
    }
    // The sizes below hold for these families; others (a wider fallback) would move every text.
    void namedFontsTakeMetricCompatibleFamilies() {
        QFETCH(QString, named);
        QFETCH(QString, installed);
        QFETCH(QString, package);
        QVERIFY2(QFontDatabase::hasFamily(installed),
                 qPrintable(installed + " is not installed: scripts/run installs " + package));
        QCOMPARE(QFontInfo(NamedFont(named, 8.25, false)).family(), installed);
        QCOMPARE(QFontInfo(NamedFont(named, 12, true)).family(), installed);
    }

    void monitorReportIsInAFixedPitchFont() {
        ToolWindow& memo = app_->shell.Show(ToolId::MemoZol);
        const QLabel* report = memo.findChild<QLabel*>("Label1");
        QVERIFY(report != nullptr);
        QVERIFY2(QFontInfo(report->font()).fixedPitch(),
                 qPrintable(QFontInfo(report->font()).family()));
    }

    void euroZolTexts() {
        ToolWindow& euro = app_->shell.Show(ToolId::EuroZol);
        CHECK_FITS(euro, "at the start");
        QTest::keyClicks(&euro, "1000");
        QTest::keyClick(&euro, Qt::Key_E);
        CHECK_FITS(euro, "1000 E");
        // The longest number, negative, with an operator and the memory mark showing.
        QTest::keyClick(&euro, Qt::Key_Escape);
        QTest::keyClicks(&euro, "999999999999");
        QTest::keyClick(&euro, Qt::Key_Space);
        QTest::keyClick(&euro, Qt::Key_Up);
        QTest::keyClick(&euro, Qt::Key_Asterisk);
        CHECK_FITS(euro, "-999999999999 *");
        QTest::keyClicks(&euro, "99999999,9999");
        CHECK_FITS(euro, "99999999,9999");
        QTest::keyClick(&euro, Qt::Key_Escape);
        QTest::keyClicks(&euro, "999999999999+1");
        QTest::keyClick(&euro, Qt::Key_Return);
        QCOMPARE(Field(euro, "txtResult")->text(), "(Error)");
        CHECK_FITS(euro, "(Error)");
    }

    void euroZolExponentResult() {
        ToolWindow& euro = app_->shell.Show(ToolId::EuroZol);
        QTest::keyClicks(&euro, "999999999999");
        QTest::keyClick(&euro, Qt::Key_Space);
        QTest::keyClicks(&euro, "*99999999,9999");
        QTest::keyClick(&euro, Qt::Key_Return);
        QCOMPARE(Field(euro, "txtResult")->text(), "-1E+20");
        CHECK_FITS(euro, "-1E+20");
    }

    void digiZolTexts() {
        ToolWindow& digi = app_->shell.Show(ToolId::DigiZol);
        CHECK_FITS(digi, "at the start");
        Field(digi, "txtDNI")->setText("B1234567");
        Field(digi, "txtCuenta(0)")->setText("2100");
        Field(digi, "txtCuenta(1)")->setText("0418");
        Field(digi, "txtCuenta(2)")->setText("0200051332");
        Field(digi, "txtISBN")->setText("0-8044-2957");
        CHECK_FITS(digi, "the examples");
        // Every holder's caption above the identity field.
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            Field(digi, "txtDNI")->setText(QString(QChar(letter)) + "1234567");
            CHECK_FITS(digi, QStringLiteral("identity %1").arg(letter));
        }
        Field(digi, "txtDNI")->setText("12345678");
        CHECK_FITS(digi, "a DNI");
        // Every bank name the table knows, and the widest entries the fields take.
        for (int code = 0; code <= 9999; ++code) {
            if (BankName(code)) {
                Field(digi, "txtCuenta(0)")
                    ->setText(QStringLiteral("%1").arg(code, 4, 10, QChar('0')));
                CHECK_FITS(digi, QStringLiteral("bank %1").arg(code));
            }
        }
        Field(digi, "txtCuenta(0)")->setText("8888");
        Field(digi, "txtCuenta(1)")->setText("8888");
        Field(digi, "txtCuenta(2)")->setText("8888888888");
        Field(digi, "txtISBN")->setText("8-8888-8888");
        CHECK_FITS(digi, "wide digits");
    }

    void reglaZolHasNoCutText() {
        ToolWindow& ruler = app_->shell.Show(ToolId::ReglaZol);
        CHECK_FITS(ruler, "at the start");
    }

    void memoZolReport() {
        ToolWindow& memo = app_->shell.Show(ToolId::MemoZol);
        QTRY_VERIFY(memo.findChild<QLabel*>("Label1")->text() != "Label1");
        CHECK_FITS(memo, "this machine's figures");
        // The widest report the window can show: every value in the largest unit, and none.
        MemoryStatus widest;
        widest.memoryLoad = 100;
        for (std::uint64_t* value :
             {&widest.totalPhysical, &widest.availablePhysical, &widest.totalPageFile,
              &widest.availablePageFile, &widest.totalVirtual, &widest.availableVirtual}) {
            *value = (std::uint64_t{1023} << 40) + (std::uint64_t{999} << 30);
        }
        auto* label = memo.findChild<QLabel*>("Label1");
        for (const auto& status :
             {std::optional<MemoryStatus>(widest), std::optional<MemoryStatus>()}) {
            QString report = FromUtf8(PrintRamInformation(status, ","));
            report.replace("\r\n", "\n");
            label->setText(report);
            CHECK_FITS(memo, "the widest report");
        }
    }

    void aboutWindowTexts() {
        FormQuorvane about;
        CHECK_FITS(about, "the About window");
    }

  private:
    std::unique_ptr<testing::TestShell> app_;
};

}  // namespace minizol

QTEST_MAIN(minizol::TextFitsTest)
#include "tst_text_fits.moc"
