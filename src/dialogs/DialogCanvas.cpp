#include "dialogs/DialogCanvas.h"

#include "common/ElementLimit.h"
#include "model/clsPLControl.h"

bool AddAtPosition(DialogCanvas &canvas, clsPLControl &element, double x, double y, int shift,
                   QStringList &keys)
{
    element.setLeft(x);
    element.setTop(y);
    if (!canvas.AddOneControl(element))
        return false;
    canvas.SetCurrentControl(&element, shift);
    keys << element.KeyName();
    return true;
}

DialogCheck CheckRoomForElements(const DialogCanvas &canvas, qint64 adding, const QString &field)
{
    if (qint64(canvas.ControlCount()) + adding > kMaxTemplateElements)
        return DialogCheck::Refuse(field, TooManyElementsMessage());
    return DialogCheck::Pass();
}
