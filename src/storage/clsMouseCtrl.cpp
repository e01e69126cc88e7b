#include "storage/clsMouseCtrl.h"

namespace {
MouseCtrlHandler &handlerSlot()
{
    static MouseCtrlHandler handler;
    return handler;
}

void show(bool wait)
{
    if (handlerSlot())
        handlerSlot()(wait);
}
} // namespace

MouseCtrlHandler SetMouseCtrlHandler(MouseCtrlHandler handler)
{
    MouseCtrlHandler previous = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return previous;
}

clsMouseCtrl::clsMouseCtrl() { StartWait(); }
clsMouseCtrl::~clsMouseCtrl() { StopWait(); }
void clsMouseCtrl::StartWait() { show(true); }
void clsMouseCtrl::StopWait() { show(false); }
