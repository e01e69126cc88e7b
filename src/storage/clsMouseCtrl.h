#pragma once
// The wait pointer during a file operation: creating a clsMouseCtrl shows the wait pointer,
// releasing it (on success or failure) shows the default pointer again. The window layer
// installs the handler that really changes the pointer; without one nothing happens, so the
// command line and the tests run without a window.
#include <functional>

// Called with true for the wait pointer, false for the default pointer.
using MouseCtrlHandler = std::function<void(bool wait)>;

// Installs the handler and returns the previous one (empty = do nothing).
MouseCtrlHandler SetMouseCtrlHandler(MouseCtrlHandler handler);

class clsMouseCtrl {
public:
    clsMouseCtrl();
    ~clsMouseCtrl();
    clsMouseCtrl(const clsMouseCtrl &) = delete;
    clsMouseCtrl &operator=(const clsMouseCtrl &) = delete;

    void StartWait();
    void StopWait();
};
