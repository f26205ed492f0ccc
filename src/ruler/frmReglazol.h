#pragma once

#include "ruler/ruler_alpha.h"
#include "ruler/ruler_geometry.h"
#include "shell/tool_window.h"

namespace minizol {

// The on-screen ruler's window: a frame with pixel scales along its top and left edges, whose
// measured size the user drags or types in and whose transparency the page keys change.
class frmReglazol final : public ToolWindow {
    Q_OBJECT

  public:
    explicit frmReglazol(Shell& shell);

    // The alpha last passed to SetWindowAlpha, 50 to 250.
    int RulerAlpha() const { return rulerAlpha_; }

  protected:
    bool Form_KeyDown(int keyCode) override;
    void mnuAyuda_Click() override;

  private:
    void Form_Load();
    void Form_Resize();
    void mnuTamanyo_Click();

    // Width first, then height: the resize of the width measures both again from the client
    // area, whose height is still the old one.
    void SetRulerSize(int width, int height);
    void ApplyRulerWidth();
    void ApplyRulerHeight();
    void ResizeWindow(QSize size);
    RulerWindowSize MeasureWindow() const;
    void StepAlpha(AlphaStep step);

    RulerGeometry geometry_;
    int rulerAlpha_ = kRulerAlphaStart;
    QWidget* client_ = nullptr;
};

}  // namespace minizol
