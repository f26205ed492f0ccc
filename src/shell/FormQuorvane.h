#pragma once

#include <QDialog>

#include "platform/desktop_links.h"

class QLabel;

namespace minizol {

class Dialogs;

// The About window every tool opens from "Acerca de ...": the maker's logo and name on black,
// a web link and a mail link. A click elsewhere or any typed character closes it. An address no
// program takes is shown in a message box, for the user to copy.
class FormQuorvane final : public QDialog {
    Q_OBJECT

  public:
    // `dialogs` shows its message boxes; `owner` is the window it opens over and keeps beneath
    // it while open; `opener` follows the links.
    explicit FormQuorvane(Dialogs& dialogs, QWidget* owner = nullptr,
                          UrlOpener opener = DesktopUrlOpener());

    // Opens a new About window modally, centred over `owner`, and returns when it is closed.
    static void ShowOver(QWidget& owner, Dialogs& dialogs, UrlOpener opener = DesktopUrlOpener());

    // Shows the window modally in the middle of the screen.
    void fShow();
    // Shows the window modally with the middle of its bottom edge at (pintX, pintY), in screen
    // twips, kept on the screen and above the task-bar band.
    void fShowPosicionado(int pintX, int pintY);

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    enum class Placement { OverOwner, ScreenCentre, AbovePoint };

    void Form_Click();
    void Form_KeyPress();
    void Form_MouseMove();
    void imgLogo_Click();
    void lblURL_MouseMove();
    void lblMail_MouseMove();
    void lblURL_Click();
    void lblMail_Click();

    QLabel* MakeLink(const QString& text, int leftTwips, int topTwips, const char* name);
    void SetUnderline(QLabel* link, bool underline);
    // Hands `url` to the opener; when no program takes it, says so with `noProgram` and gives
    // `address`.
    void OpenAddress(const QString& url, const QString& address, const QString& noProgram);
    void ShowPlaced(Placement placement);
    // Moves the window to its placement, on the screen; returns whether its outer frame was
    // known. An owner-less window opens in the middle of the screen.
    bool Place();
    // Whether a left-button release on `control` completes a click that began on it.
    bool Clicked(QObject* control, const QMouseEvent& event);

    Dialogs& dialogs_;
    UrlOpener opener_;
    QWidget* Shape1_ = nullptr;
    QLabel* imgLogo_ = nullptr;
    QWidget* Line1_ = nullptr;
    QWidget* Line2_ = nullptr;
    QLabel* lblMas_ = nullptr;
    QLabel* lblMail_ = nullptr;
    QLabel* lblURL_ = nullptr;

    QObject* pressed_ = nullptr;
    Placement placement_ = Placement::OverOwner;
    int pointX_ = 0;
    int pointY_ = 0;
    bool placeWhenFramed_ = false;
};

}  // namespace minizol
