#pragma once
// What the element dialogs ask of the design canvas. The designer's canvas implements it (see
// CanvasSink.h); a dialog never generates keys itself, the canvas does.
class clsPLControl;

class DialogCanvas {
public:
    virtual ~DialogCanvas() = default;
    // Adds the element; an element without a KeyName gets the canvas's next key written into
    // it. False when the canvas refused it.
    virtual bool AddOneControl(clsPLControl &element) = 0;
    // Makes the element current with the given shift state (2 adds it to the selection);
    // nullptr clears the current element.
    virtual void SetCurrentControl(const clsPLControl *element, int shift) = 0;
    // The element is placed by the next click on the canvas.
    virtual void BeginAddControlByMouse(const clsPLControl &element) = 0;
    // How many elements the canvas holds.
    virtual int ControlCount() const = 0;
};

#include "dialogs/DialogCheck.h"

#include <QStringList>

// Puts the element at x, y (mm), adds it and makes it current with the shift state; its key is
// appended to `keys`. False when the canvas refused it.
bool AddAtPosition(DialogCanvas &canvas, clsPLControl &element, double x, double y, int shift,
                   QStringList &keys);

// Refuses (on `field`, with TooManyElementsMessage) a run of `adding` elements that would take
// the canvas past the count a template file can hold, so every template saved reads back.
DialogCheck CheckRoomForElements(const DialogCanvas &canvas, qint64 adding, const QString &field);
