#include "dialogs/CanvasSink.h"

#include "canvas/KdPLDesinger.h"
#include "dialogs/DialogElements.h"
#include "model/ElementKind.h"

bool CanvasSink::AddOneControl(clsPLControl &element)
{
    return m_canvas.AddOneControl(element) != nullptr;
}

void CanvasSink::SetCurrentControl(const clsPLControl *element, int shift)
{
    if (element)
        m_canvas.SetCurrentControl(*element, shift);
    else
        m_canvas.SetCurrentControl(nullptr, shift);
}

void CanvasSink::BeginAddControlByMouse(const clsPLControl &element)
{
    m_canvas.BeginAddControlByMouse(element);
}

int CanvasSink::ControlCount() const
{
    return m_canvas.AllItems().Count();
}

void ApplyTemplateToCanvas(const colPLControls &layout, KdPLDesinger &canvas)
{
    colPLControls elements;
    canvas.GetAllControls(elements);
    for (clsPLControl &e : elements) {
        if (ElementKindOf(e) != ElementKind::NumberBlock)
            continue;
        FitBlockToTemplate(e, layout);
        canvas.UpdateOneControl(e);
    }
    ShowBackPicture(layout, canvas);
}

void ShowBackPicture(const colPLControls &layout, KdPLDesinger &canvas)
{
    canvas.SetBackPicture(layout.BackPicPathFile(), layout.BackPicLeft(), layout.BackPicTop(),
                          layout.BackPicWidth(), layout.BackPicHeight());
}
