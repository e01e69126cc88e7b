#pragma once
// The design canvas as the dialogs see it, and what the designer does to the canvas after the
// template properties changed.
#include "dialogs/DialogCanvas.h"

class KdPLDesinger;
class colPLControls;

class CanvasSink : public DialogCanvas {
public:
    explicit CanvasSink(KdPLDesinger &canvas) : m_canvas(canvas) {}
    bool AddOneControl(clsPLControl &element) override;
    void SetCurrentControl(const clsPLControl *element, int shift) override;
    void BeginAddControlByMouse(const clsPLControl &element) override;
    int ControlCount() const override;

private:
    KdPLDesinger &m_canvas;
};

// Every number block takes the template's block size (within the canvas's limits) and the
// colours of its fill area; the background picture is set again from the template.
void ApplyTemplateToCanvas(const colPLControls &layout, KdPLDesinger &canvas);
// The template's background picture in its place on the canvas.
void ShowBackPicture(const colPLControls &layout, KdPLDesinger &canvas);
