#include "ruler/frmReglazol.h"

#include <QAction>
#include <QHelpEvent>
#include <QLayout>
#include <QLocale>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/accessibility.h"
#include "platform/fonts.h"
#include "platform/qt_convert.h"
#include "ruler/ruler_texts.h"
#include "ruler/size_reply.h"
#include "shell/shell.h"
#include "shell/window_alpha.h"

namespace minizol {
namespace {

constexpr int kPageUpKey = 33;
constexpr int kPageDownKey = 34;
constexpr int kF1Key = 112;

// Black ink on a near-white fill: the whole window fades together, so the contrast between ink
// and fill is all that remains readable at a low alpha, whatever lies behind. Bold numbers
// sized to fit the 13-pixel label boxes keep enough ink to be read at alpha 50.
const QColor kRulerFill(255, 253, 225);
const QColor kRulerInk(0, 0, 0);
constexpr int kLabelFontPixels = 11;

// What a screen reader hears of the ruler; its description is the measured size.
const AccessibleText kAccessibleTexts[] = {
    {"client", Reading::Named, "Regla"},
};

int ToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QRect PixelRect(const RulerLine& line) {
    return QRect(QPoint(ToPixels(line.x1), ToPixels(line.y1)),
                 QPoint(ToPixels(line.x2), ToPixels(line.y2)))
        .normalized();
}

QRect PixelRect(const RulerLabel& label) {
    return {ToPixels(label.left), ToPixels(label.top), ToPixels(label.width),
            ToPixels(label.height)};
}

// The lists are in position order, growing to the right (top scale) or downwards (left scale),
// so everything after the first element past the area's right or bottom edge is past it too.
bool PastArea(const QRect& element, const QRect& area) {
    return element.left() > area.right() || element.top() > area.bottom();
}

void PaintLines(QPainter& painter, const std::vector<RulerLine>& lines, const QRect& area) {
    for (const RulerLine& line : lines) {
        if (PastArea(PixelRect(line), area)) {
            break;
        }
        if (line.visible) {
            painter.drawLine(ToPixels(line.x1), ToPixels(line.y1), ToPixels(line.x2),
                             ToPixels(line.y2));
        }
    }
}

// Only the numbers are drawn: a label box has no background, so the boxes of the short ticks,
// which are shown with an empty caption, never hide a line.
void PaintLabels(QPainter& painter, const std::vector<RulerLabel>& labels, const QRect& area) {
    for (const RulerLabel& label : labels) {
        const QRect box = PixelRect(label);
        if (PastArea(box, area)) {
            break;
        }
        if (label.visible && !label.caption.empty()) {
            painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                             FromUtf8(label.caption));
        }
    }
}

// The client area: paints the ruler's retained lists and reports its size changes.
class RulerClient final : public QWidget {
  public:
    RulerClient(const RulerGeometry& geometry, std::function<void()> resized, QWidget* parent)
        : QWidget(parent), geometry_(geometry), resized_(std::move(resized)) {}

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), kRulerFill);
        // A zero-width pen is one device pixel wide at any scale: the lines stay as thin as the
        // screen allows instead of growing with the device pixel ratio.
        painter.setPen(QPen(kRulerInk, 0));
        const QRect area = rect();
        // Lines last, so that no number covers the frame or a tick.
        PaintLabels(painter, geometry_.lblVer(), area);
        PaintLabels(painter, geometry_.lblHor(), area);
        PaintLines(painter, geometry_.ver(), area);
        PaintLines(painter, geometry_.hor(), area);
        PaintLines(painter, geometry_.fin(), area);
    }
    void resizeEvent(QResizeEvent*) override { resized_(); }
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            ShowDeviceSize(static_cast<const QHelpEvent&>(*event));
            return true;
        }
        return QWidget::event(event);
    }

  private:
    // Worked out when asked for, so it follows the window to a screen of another ratio.
    void ShowDeviceSize(const QHelpEvent& help) {
        const auto tip = RulerDeviceSizeTip(geometry_.rulerWidth(), geometry_.rulerHeight(),
                                            devicePixelRatioF());
        if (tip) {
            QToolTip::showText(help.globalPos(), FromUtf8(*tip), this);
        } else {
            QToolTip::hideText();
        }
    }

    const RulerGeometry& geometry_;
    std::function<void()> resized_;
};

}  // namespace

frmReglazol::frmReglazol(Shell& shell)
    : ToolWindow(shell, {ToolId::ReglaZol, FromUtf8(kRulerMenuCaption), true, false}) {
    auto* mnuTamanyo = new QAction(FromUtf8(kRulerMenuSetSize), this);
    mnuTamanyo->setObjectName("mnuTamanyo");
    mnuTamanyo->setShortcut(Qt::Key_F2);
    connect(mnuTamanyo, &QAction::triggered, this, [this] { mnuTamanyo_Click(); });
    InsertOptionsEntry(mnuTamanyo);

    client_ = new RulerClient(
        geometry_, [this] { Form_Resize(); }, this);
    client_->setObjectName("client");
    // The toolkit takes a window of no width or height off the screen; one pixel keeps it there.
    client_->setMinimumSize(1, 1);
    QFont font = DialogFont();
    font.setPixelSize(kLabelFontPixels);
    font.setBold(true);
    client_->setFont(font);
    setCentralWidget(client_);
    NameControls(*this, kAccessibleTexts);
    layout()->activate();
    Form_Load();
}

void frmReglazol::Form_Load() {
    SetTag(QStringLiteral("ReglaZol"));
    SetRulerSize(kRulerStartWidth, kRulerStartHeight);
    rulerAlpha_ = kRulerAlphaStart;
    SetWindowAlpha(*this, rulerAlpha_);
}

void frmReglazol::Form_Resize() {
    const QSize client = client_->size();
    const QSize outer = frameGeometry().size();
    geometry_.Resize(RulerWindowSize::FromPixels(client.width(), client.height(), outer.width(),
                                                 outer.height()));
    OptionsMenu()->setTitle(FromUtf8(geometry_.menuCaption()));
    // The size the caption shows, told to a screen reader too.
    Describe(*client_, QStringLiteral("Mide %1 x %2 píxeles")
                           .arg(geometry_.rulerWidth())
                           .arg(geometry_.rulerHeight()));
    client_->update();
}

bool frmReglazol::Form_KeyDown(int keyCode) {
    switch (keyCode) {
        case kPageUpKey:
            StepAlpha(AlphaStep::Up);
            return true;
        case kPageDownKey:
            StepAlpha(AlphaStep::Down);
            return true;
        case kF1Key:
            // Reached only when the menu's own F1 shortcut did not take the press.
            mnuAyuda_Click();
            return true;
        default:
            return ToolWindow::Form_KeyDown(keyCode);
    }
}

void frmReglazol::StepAlpha(AlphaStep step) {
    rulerAlpha_ = StepRulerAlpha(rulerAlpha_, step);
    // Also at a bound: a compositing manager started since the last press then shows it.
    SetWindowAlpha(*this, rulerAlpha_);
}

void frmReglazol::mnuTamanyo_Click() {
    const QLocale locale = QLocale::system();
    const NumberSyntax syntax{locale.decimalPoint().toStdString(),
                              locale.groupSeparator().toStdString()};
    QString defaultText =
        FromUtf8(RulerSizeDialogDefault(geometry_.rulerWidth(), geometry_.rulerHeight()));
    while (true) {
        const std::optional<QString> reply = shell().dialogs().Input(
            this, FromUtf8(kRulerSizePrompt), kApplicationTitle, defaultText);
        const SizeReply size = ParseSizeReply(reply.value_or(QString()).toStdString(), syntax);
        switch (size.kind) {
            case SizeReplyKind::Empty:
                return;
            case SizeReplyKind::Accepted:
                SetRulerSize(size.width, size.height);
                PrepareToolWindow(*this);
                return;
            case SizeReplyKind::Rejected:
                ShowMessage(FromUtf8(kRulerSizeInvalid), MessageIcon::Exclamation);
                defaultText = FromUtf8(size.text);
                break;
        }
    }
}

void frmReglazol::mnuAyuda_Click() {
    ShowMessage(FromUtf8(RulerHelpText()), MessageIcon::None);
}

void frmReglazol::SetRulerSize(int width, int height) {
    geometry_.SetRulerWidth(width);
    ApplyRulerWidth();
    geometry_.SetRulerHeight(height);
    ApplyRulerHeight();
}

RulerWindowSize frmReglazol::MeasureWindow() const {
    // The outer size here is the window's own size, menu bar included and frame excluded: it is
    // the size resize() sets, so the difference to the client area carries over exactly.
    return RulerWindowSize::FromPixels(client_->width(), client_->height(), width(), height());
}

void frmReglazol::ApplyRulerWidth() {
    const RulerWindowSize now = MeasureWindow();
    ResizeWindow({ToPixels(geometry_.ApplyRulerWidth(now.outerWidth, now.clientWidth)), height()});
}

void frmReglazol::ApplyRulerHeight() {
    const RulerWindowSize now = MeasureWindow();
    ResizeWindow(
        {width(), ToPixels(geometry_.ApplyRulerHeight(now.outerHeight, now.clientHeight))});
}

void frmReglazol::ResizeWindow(QSize size) {
    resize(size);
    if (!isVisible()) {
        // A hidden window is laid out and told of its new size only when it is shown; the ruler
        // must measure now, before the height is applied after the width.
        layout()->invalidate();
        layout()->activate();
        Form_Resize();
    }
}

}  // namespace minizol
