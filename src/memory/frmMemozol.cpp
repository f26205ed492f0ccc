#include "memory/frmMemozol.h"

#include <QHideEvent>
#include <QLabel>
#include <QLocale>
#include <QTimer>

#include "common/twips.h"
#include "memory/memory_report.h"
#include "platform/accessibility.h"
#include "platform/fonts.h"
#include "platform/window_layer.h"

namespace minizol {
namespace {

constexpr int kCtrlKeyCode = 17;
constexpr int kF1KeyCode = 112;
constexpr int kRefreshMs = 100;

// The report is read when the user asks for it: announced at every refresh it would drown
// everything else the screen reader says.
const AccessibleText kAccessibleTexts[] = {
    {"Label1", Reading::OnRequest, "Estado de la memoria"},
};

}  // namespace

frmMemozol::frmMemozol(Shell& shell)
    : ToolWindow(shell, {ToolId::MemoZol, QStringLiteral("Memoria"), false, true}) {
    SetClientSize({Px(5820), Px(2205)});

    Label1_ = new QLabel(QStringLiteral("Label1"), centralWidget());
    Label1_->setObjectName("Label1");
    Label1_->setGeometry(Px(120), Px(120), Px(5655), Px(1935));
    // The report pads its labels so that the values line up: only a fixed pitch keeps them so.
    Label1_->setFont(FixedPitchFont(QStringLiteral("Courier New"), 8.25));
    Label1_->setTextFormat(Qt::PlainText);
    Label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1_->setWordWrap(true);
    NameControls(*this, kAccessibleTexts);

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName("Timer1");
    Timer1_->setInterval(kRefreshMs);
    connect(Timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    Form_Load();
}

void frmMemozol::Form_Load() {
    SetTag(QStringLiteral("MemoZol"));
    Timer1_->start();
}

void frmMemozol::Form_Activate() {
    ToolWindow::Form_Activate();
    if (!Timer1_->isActive()) {
        Timer1_->start();
    }
}

void frmMemozol::Timer1_Timer() {
    const std::string separator = QLocale::system().decimalPoint().toStdString();
    QString report = QString::fromStdString(PrintRamInformation(separator));
    report.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Most ticks find the same figures; an unchanged label costs the display server nothing.
    if (report != Label1_->text()) {
        Label1_->setText(report);
    }
    // Again on every tick, in case another window has taken the top layer meanwhile.
    SetTopMost(*this, true);
}

bool frmMemozol::Form_KeyDown(int keyCode) {
    if (keyCode == kCtrlKeyCode) {
        LeaveFor(0);
        return true;
    }
    // "Ayuda" has no shortcut here, so the window answers F1 itself.
    if (keyCode == kF1KeyCode) {
        mnuAyuda_Click();
        return true;
    }
    return false;
}

void frmMemozol::mnuApps_Click(int index) {
    LeaveFor(index);
}

void frmMemozol::LeaveFor(int toolIndex) {
    Timer1_->stop();
    SetTopMost(*this, false);
    SwitchTool(*this, toolIndex);
}

void frmMemozol::mnuAyuda_Click() {
    ShowMessage(QStringLiteral("Muestra el estado de la memoria.\r\n"), MessageIcon::None);
}

void frmMemozol::hideEvent(QHideEvent* event) {
    // Hidden by the program, not minimised by the user: also when the program ends from any
    // window, the monitor must not go on querying while it is out of sight.
    if (!event->spontaneous()) {
        Timer1_->stop();
    }
    ToolWindow::hideEvent(event);
}

}  // namespace minizol
