#include "shell/FormQuorvane.h"

#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "common/twips.h"
#include "platform/accessibility.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "platform/key_codes.h"
#include "platform/qt_convert.h"
#include "shell/about_placement.h"
#include "shell/app_icon.h"
#include "shell/maker.h"

namespace minizol {
namespace {

float ToTwips(int pixels) {
    return static_cast<float>(pixels * kTwipsPerPixel);
}

int ToPixels(float twips) {
    return static_cast<int>(std::lround(twips / static_cast<float>(kTwipsPerPixel)));
}

// What a screen reader hears of the window and each control: the links are read by their
// addresses. The window's title is left blank, so it is named here.
const AccessibleText kAccessibleTexts[] = {
    {"FormQuorvane", Reading::Named, "Acerca de MiniZol"},
    {"imgLogo", Reading::Named, "Logotipo", "Se pulsa para cerrar"},
    {"lblMas", Reading::ItsText, "Autor"},
    {"lblMail", Reading::Link, "Correo", "Enlace: escribir un correo"},
    {"lblURL", Reading::Link, "Web", "Enlace: abrir la página web"},
};

// A one-pixel white rule between two points on the same row or column, in twips.
QWidget* MakeRule(QWidget* parent, int x1, int y1, int x2, int y2, const char* name) {
    auto* rule = new QWidget(parent);
    rule->setObjectName(name);
    const QPoint from(Px(x1), Px(y1));
    const QPoint to(Px(x2), Px(y2));
    rule->setGeometry(QRect(from, to).normalized());
    QPalette palette = rule->palette();
    palette.setColor(QPalette::Window, Qt::white);
    rule->setPalette(palette);
    rule->setAutoFillBackground(true);
    // Clicks and moves on a rule belong to the backdrop.
    rule->setAttribute(Qt::WA_TransparentForMouseEvents);
    return rule;
}

}  // namespace

FormQuorvane::FormQuorvane(Dialogs& dialogs, QWidget* owner, UrlOpener opener)
    : QDialog(owner), dialogs_(dialogs), opener_(std::move(opener)) {
    setObjectName("FormQuorvane");
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                            Qt::MSWindowsFixedSizeDialogHint;
    // Beneath an always-on-top owner an ordinary dialog could open out of sight.
    if (owner != nullptr && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    setWindowFlags(flags);
    // Qt puts the application's name in place of an empty title; a blank keeps the bar bare.
    setWindowTitle(QStringLiteral(" "));
    // Its own sun, also when it opens over no tool window.
    setWindowIcon(ApplicationIcon());
    setFixedSize(Px(5025), Px(2115));
    setMouseTracking(true);

    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);

    Shape1_ = new QWidget(this);
    Shape1_->setObjectName("Shape1");
    Shape1_->setGeometry(TwipsRect(-105, -150, 5175, 2295));
    Shape1_->setAutoFillBackground(true);
    // The backdrop is the window's own surface: its clicks and moves are the window's.
    Shape1_->setAttribute(Qt::WA_TransparentForMouseEvents);

    imgLogo_ = new QLabel(this);
    imgLogo_->setObjectName("imgLogo");
    imgLogo_->setGeometry(TwipsRect(90, 60, 1995, 1980));
    // Through an icon, so that scaled screens get the picture drawn at twice the size.
    imgLogo_->setPixmap(
        QIcon(QStringLiteral(":/minizol/quorvane-logo.png")).pixmap(QSize(133, 132)));
    imgLogo_->setAttribute(Qt::WA_NoMousePropagation);
    imgLogo_->installEventFilter(this);

    Line1_ = MakeRule(this, 2280, 120, 2280, 1890, "Line1");
    Line2_ = MakeRule(this, 2280, 570, 4830, 570, "Line2");

    lblMas_ = new QLabel(kMakerName, this);
    lblMas_->setObjectName("lblMas");
    lblMas_->setGeometry(TwipsRect(2460, 90, 2370, 435));
    lblMas_->setFont(NamedFont("Verdana", 16, true));
    lblMas_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    // The name is no link and no backdrop: it neither closes the window nor clears underlines.
    lblMas_->setAttribute(Qt::WA_NoMousePropagation);

    lblMail_ = MakeLink(kMakerMailAddress, 2460, 720, "lblMail");
    lblURL_ = MakeLink(kMakerWebAddress, 2460, 1035, "lblURL");
    NameControls(*this, kAccessibleTexts);
}

QLabel* FormQuorvane::MakeLink(const QString& text, int leftTwips, int topTwips, const char* name) {
    auto* link = new QLabel(text, this);
    link->setObjectName(name);
    link->setFont(NamedFont("Verdana", 9, true));
    link->setCursor(Qt::PointingHandCursor);
    link->setMouseTracking(true);
    link->setAttribute(Qt::WA_NoMousePropagation);
    link->installEventFilter(this);

    // The addresses are longer than the design's boxes; a box cut short would hide part of one.
    const QFontMetrics metrics(link->font());
    const int left = Px(leftTwips);
    const int width =
        std::min(std::max(Px(1785), metrics.horizontalAdvance(text) + 1), this->width() - left);
    const int height = std::max(Px(210), metrics.height());
    link->setGeometry(left, Px(topTwips), width, height);
    return link;
}

void FormQuorvane::ShowOver(QWidget& owner, Dialogs& dialogs, UrlOpener opener) {
    FormQuorvane about(dialogs, &owner, std::move(opener));
    about.ShowPlaced(Placement::OverOwner);
}

void FormQuorvane::fShow() {
    ShowPlaced(Placement::ScreenCentre);
}

void FormQuorvane::fShowPosicionado(int pintX, int pintY) {
    pointX_ = pintX;
    pointY_ = pintY;
    ShowPlaced(Placement::AbovePoint);
}

void FormQuorvane::ShowPlaced(Placement placement) {
    placement_ = placement;
    placeWhenFramed_ = !Place();
    exec();
}

bool FormQuorvane::Place() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return true;
    }
    // The window system frames the window only once it is shown; until then the outer size is
    // the inner one, and the window is placed again when its frame is known.
    const bool frameKnown = isVisible() && frameGeometry().size() != size();
    const QSize outer = frameKnown ? frameGeometry().size() : size();
    const QRect area = screen->geometry();
    if (placement_ == Placement::OverOwner && parentWidget() != nullptr) {
        const QPoint middle = parentWidget()->window()->frameGeometry().center();
        const int left = std::min(middle.x() - outer.width() / 2, area.right() + 1 - outer.width());
        const int top =
            std::min(middle.y() - outer.height() / 2, area.bottom() + 1 - outer.height());
        move(std::max(left, area.left()), std::max(top, area.top()));
        return frameKnown;
    }
    const TwipsSize window{ToTwips(outer.width()), ToTwips(outer.height())};
    const TwipsSize room{ToTwips(area.width()), ToTwips(area.height())};
    const TwipsPoint corner =
        placement_ != Placement::AbovePoint
            ? CentredOnScreen(window, room)
            : PlacedAbovePoint({static_cast<float>(pointX_), static_cast<float>(pointY_)}, window,
                               room);
    move(area.x() + ToPixels(corner.x), area.y() + ToPixels(corner.y));
    return frameKnown;
}

bool FormQuorvane::event(QEvent* event) {
    const bool framed = event->type() == QEvent::Show || event->type() == QEvent::WindowActivate;
    if (framed && placeWhenFramed_) {
        placeWhenFramed_ = !Place();
    }
    return QDialog::event(event);
}

bool FormQuorvane::Clicked(QObject* control, const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton || pressed_ != control) {
        return false;
    }
    pressed_ = nullptr;
    const auto* widget = static_cast<QWidget*>(control);
    return widget->rect().contains(event.position().toPoint());
}

bool FormQuorvane::eventFilter(QObject* watched, QEvent* event) {
    const bool link = watched == lblURL_ || watched == lblMail_;
    if (!link && watched != imgLogo_) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                pressed_ = watched;
            }
            return true;
        case QEvent::MouseButtonRelease:
            if (Clicked(watched, *static_cast<QMouseEvent*>(event))) {
                if (watched == imgLogo_) {
                    imgLogo_Click();
                } else if (watched == lblURL_) {
                    lblURL_Click();
                } else {
                    lblMail_Click();
                }
            }
            return true;
        case QEvent::MouseMove:
            if (watched == lblURL_) {
                lblURL_MouseMove();
            } else if (watched == lblMail_) {
                lblMail_MouseMove();
            }
            return true;
        default:
            return QDialog::eventFilter(watched, event);
    }
}

void FormQuorvane::keyPressEvent(QKeyEvent* event) {
    if (CharacterCode(*event)) {
        Form_KeyPress();
        return;
    }
    event->ignore();  // arrows, Shift and the like type nothing and leave the window open
}

void FormQuorvane::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = this;
    }
}

void FormQuorvane::mouseReleaseEvent(QMouseEvent* event) {
    if (Clicked(this, *event)) {
        Form_Click();
    }
}

void FormQuorvane::mouseMoveEvent(QMouseEvent*) {
    Form_MouseMove();
}

void FormQuorvane::Form_Click() {
    close();
}

void FormQuorvane::Form_KeyPress() {
    close();
}

void FormQuorvane::Form_MouseMove() {
    SetUnderline(lblURL_, false);
    SetUnderline(lblMail_, false);
}

void FormQuorvane::imgLogo_Click() {
    close();
}

void FormQuorvane::lblURL_MouseMove() {
    SetUnderline(lblURL_, true);
    SetUnderline(lblMail_, false);
}

void FormQuorvane::lblMail_MouseMove() {
    SetUnderline(lblMail_, true);
    SetUnderline(lblURL_, false);
}

void FormQuorvane::lblURL_Click() {
    const QString url = QStringLiteral("http://") + lblURL_->text();
    OpenAddress(url, url, QStringLiteral("No se ha podido abrir el navegador."));
}

void FormQuorvane::lblMail_Click() {
    OpenAddress(QStringLiteral("mailto:") + lblMail_->text(), lblMail_->text(),
                QStringLiteral("No se ha podido abrir el programa de correo."));
}

void FormQuorvane::SetUnderline(QLabel* link, bool underline) {
    QFont font = link->font();
    font.setUnderline(underline);
    link->setFont(font);
}

void FormQuorvane::OpenAddress(const QString& url, const QString& address,
                               const QString& noProgram) {
    if (opener_ && opener_(QUrl(url))) {
        return;
    }
    // Without a browser or mail program the click would otherwise do nothing the user can see;
    // the box's text can be selected, so the address can be copied from it.
    dialogs_.Message(this, noProgram + QStringLiteral("\r\nLa dirección es: ") + address,
                     MessageIcon::Information, kApplicationTitle);
}

}  // namespace minizol
