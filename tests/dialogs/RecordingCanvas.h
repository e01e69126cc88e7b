#pragma once
// A canvas that records what a dialog asks of it. Keys are handed out in the order of the adds
// so that tests can follow each element.
#include "dialogs/DialogCanvas.h"
#include "model/clsPLControl.h"

#include <QString>
#include <vector>

class RecordingCanvas : public DialogCanvas {
public:
    struct Selection {
        QString key; // empty: cleared
        int shift;
    };
    bool AddOneControl(clsPLControl &element) override
    {
        if (element.KeyName().isEmpty())
            element.setKeyName(QStringLiteral("el%1").arg(added.size() + 1));
        added.push_back(element);
        return true;
    }
    void SetCurrentControl(const clsPLControl *element, int shift) override
    {
        selections.push_back({element ? element->KeyName() : QString(), shift});
    }
    void BeginAddControlByMouse(const clsPLControl &element) override { pending.push_back(element); }
    int ControlCount() const override { return existing + int(added.size()); }

    int existing = 0; // elements the canvas held before the test's

    std::vector<clsPLControl> added;
    std::vector<Selection> selections;
    std::vector<clsPLControl> pending;
};
