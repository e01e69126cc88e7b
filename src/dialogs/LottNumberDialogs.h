#pragma once
// The logic of the number block dialogs: frmPAddLottNumber (one block, placed by a click or at
// typed coordinates) and frmPAddBatchLottNumber (a run whose number or fill area counts by an
// increment while the position moves by a step). Over the texts as typed; the windows and
// `vornprn-cli template add-block(s)` both run these.
#include "dialogs/DialogCheck.h"

#include <QString>
#include <QStringList>
#include <functional>

class colPLControls;
class DialogCanvas;

struct DialogRun {
    DialogCheck check;
    QStringList addedKeys; // in the order they were added
};

struct AddLottNumberFields {
    QString txtFirstGroupID;
    QString txtFirstLottNumber;
    bool optPosByInput = false; // false: optPosByMouse
    QString txtX;
    QString txtY;
};

struct AddBatchLottNumberFields {
    QString txtFirstGroupID;
    QString txtFirstLottNumber;
    QString txtFirstX;
    QString txtFirstY;
    bool optBatchGroupID = false; // false: optBatchLottNumber (the number counts)
    QString txtStep;
    QString txtCount;
    QString txtStepX;
    QString txtStepY;
};

// Asked when a run would add blocks with the fill area and number of blocks the template already
// has: how many, and true to add them anyway. Without one, such a run is refused.
using ConfirmDuplicates = std::function<bool(int duplicates)>;
// "有 {1} 个填涂块与已有的填涂块重复，是否继续？"
QString DuplicateBlocksQuestion(int duplicates);

DialogCheck CheckAddLottNumber(const AddLottNumberFields &f);
// OK of the single dialog: with typed coordinates the block is added and made current; with the
// mouse option the canvas waits for the click that places it (nothing is added yet).
// A fill area beyond the template's is refused on txtFirstGroupID; a block that repeats one of
// the template's asks first.
DialogRun RunAddLottNumber(const AddLottNumberFields &f, const colPLControls &layout,
                           DialogCanvas &canvas, const QString &fontName,
                           const ConfirmDuplicates &confirm = {});

DialogCheck CheckAddBatchLottNumber(const AddBatchLottNumberFields &f);
// OK of the batch dialog: checks, then adds the run; each new block is made current with shift
// state 2, so the run ends up selected. A refusal adds nothing. Any fill area of the run beyond
// the template's is refused; blocks that repeat the template's ask first.
DialogRun RunAddBatchLottNumber(const AddBatchLottNumberFields &f, const colPLControls &layout,
                                DialogCanvas &canvas, const QString &fontName,
                                const ConfirmDuplicates &confirm = {});

// The counter of a run: first value, increment and how many values it takes. Refused (false)
// when a value would leave the 16-bit range the counter is held in.
struct RunCounter {
    qint16 first = 0;
    qint16 step = 1;
    qint32 count = 0;
};
DialogCheck PlanLottNumberRun(const AddBatchLottNumberFields &f, RunCounter *counter);
