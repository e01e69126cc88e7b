#pragma once
// The print job behind "开始打印": cuts the chosen stakes of the bet list into batches of
// (pause x stakes per ticket), lays each batch out on its own document and hands it to the
// caller, who shows and prints it; between batches it asks whether to go on. It knows no
// window: the main window and `vornprn-cli print` pass their own callbacks.
#include "app/MainSettings.h"
#include "app/PrinterOffsets.h"
#include "common/MsgBox.h"
#include "print/TemplateCheck.h"

#include <QList>
#include <QString>
#include <functional>
#include <vector>

class BetList;
class colPLControls;
class PrintDocument;

struct PrintJobOptions {
    QString templatePath;
    // true: the template's own layout offset and orientation win and are handed back in the
    // outcome; false: the values below win.
    bool useTemplateLayout = false;
    QString layoutLeft = "0", layoutTop = "0"; // millimetres as typed (expressions allowed)
    bool landscape = false;
    // The offset of the printer the job goes to, added to the layout offset above (or the
    // template's own); the outcome's layout stays without it.
    PrinterOffset printerOffset;
    bool printMark = false;
    bool printText = true;
    qint32 markColor = 0; // colour of the fill blocks (0x00BBGGRR)
    MainSettings::Range range = MainSettings::RangeAll;
    QString paperStart = "1", paperEnd = "1";          // tickets, 1-based
    QString lottNumberStart = "1", lottNumberEnd = "1"; // list entries, 1-based
    QString pause = "200";                              // tickets per batch
};

struct PrintJobCallbacks {
    // Shows a laid-out batch; true when it was printed, false when the user closed it without.
    std::function<bool(PrintDocument &batch, const QString &caption)> showBatch;
    // The job's own messages (the empty list, the continue question, the last-batch notice).
    // Defaults to MsgBox.
    std::function<MsgAnswer(const QString &text, MsgStyle style)> message;
    // How far the job is: stakes laid out so far of all the job's stakes.
    std::function<void(qint64 done, qint64 total)> progress;
    // Asked before anything is laid out when stakes of the job would not print right (the
    // question names how many and the first few); false stops the job. Unset: no question.
    std::function<bool(const QString &question)> confirmFaultyStakes;
    // Asked first when the template itself would print wrong (the template check's findings,
    // with the job's layout offset); false stops the job. Unset: no question.
    std::function<bool(const QString &question)> confirmTemplateFindings;
};

struct PrintJobOutcome {
    bool started = false;   // false: it stopped before loading the template (no bets, a bad box)
    bool refused = false;   // it stopped with a message: the template could not be read whole,
                            // or, after applying the template's layout,
                            // before laying anything out (an overflow, no stakes per ticket)
    bool completed = false; // every batch was shown and printed
    qint64 stoppedAtStake = 0; // the stake index (as the list shows it) the layout stopped at
    int batches = 0;        // batches shown
    qint64 firstStake = 0, lastStake = -1; // the job's range of list entries (1-based)
    // The layout the job applied to its template (the window's last applied layout).
    qint32 orientation = 0;
    double layoutLeft = 0, layoutTop = 0;
};

// The job's layout offset and orientation put into the template (unless it uses its own); the
// printer's offset is not added.
void ApplyJobLayout(colPLControls &layout, const PrintJobOptions &options);

PrintJobOutcome PrintLottNumbers(const BetList &bets, const PrintJobOptions &options,
                                 const PrintJobCallbacks &callbacks);

// The first problem of the typed values the job would use ("请输入合法值！"), or "" when every
// one of them reads as a number: the layout offset (unless the template's own is used), the
// boxes of the chosen range and the pause. A box is never silently read as some default.
QString PrintJobInputProblem(const PrintJobOptions &options);

// The question asked before a job with `faulty` stakes that would not print right, naming the
// first few by their indexes.
QString FaultyStakesQuestion(qint64 faulty, const QList<qint64> &firstIndexes);
// "模板有 {1} 处问题（{2}），是否继续打印？" with the first finding.
QString TemplateFindingsQuestion(const std::vector<TemplateFinding> &findings);

// The job's stake range for the options: 1-based list entries [first, last], last < first when
// the range is empty.
struct StakeRange {
    qint64 first = 1, last = 0;
};
StakeRange ResolveStakeRange(const PrintJobOptions &options, qint64 entryCount,
                             qint64 stakesPerTicket);
