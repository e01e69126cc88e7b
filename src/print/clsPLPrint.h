#pragma once
// The print engine: draws what tickets look like on a print surface, in twips. It is handed a
// slip template and a surface per call and keeps nothing between calls but its three
// switches (and the clock that fills in the date field).
//
// A print job calls it as:
//     clsPLPrint engine;
//     engine.setIsPrintMark(marks); engine.setIsPrintText(text);
//     engine.SetPrinterPageByLayout(surface, layout);
//     engine.PrintPLWithDatas(layout, stakeLines, surface, true, firstSerial);
// where stakeLines[0] is empty and stakeLines[1..N] are the bet lines of the batch, and
// firstSerial is the serial number, in the whole bet list, of stakeLines[1].
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class clsPLControl;
class colPLControls;
class PrintSurface;
class GroupPositionTable;
class LottNumberIndex;
class StakeOffsets;

class clsPLPrint {
public:
    // Copies the template's page set-up to the surface; a value the surface refuses is skipped.
    void SetPrinterPageByLayout(PrintSurface &surface, const colPLControls &layout);
    // Copies the surface's page set-up into the template.
    void GetPrinterPageByLayout(PrintSurface &surface, colPLControls &layout);
    // Lays out stake lines 1..N as tickets of StakeCountPerTicket stakes, one page each. An
    // error shows its description in a message box and ends the layout; pages laid out so far
    // stay. False after such an error.
    bool PrintPLWithDatas(const colPLControls &layout, const QStringList &stakeLines,
                          PrintSurface &surface, bool preview, qint32 firstSerial);
    // One page with every number block of every stake marked. False when it failed.
    bool PrintPLWithTest(const colPLControls &layout, PrintSurface &surface, bool preview);
    // The calibration page: on the template's paper, the blocks of CalibrationBlocks filled
    // (as solid blocks whatever the template's mark style: their edges are what a scan
    // measures), and nothing else. False when it failed.
    bool PrintPLWithCalibration(const colPLControls &layout, PrintSurface &surface, bool preview);

    // Locate marks that are not always printed, and lines.
    bool IsPrintMark() const { return m_IsPrintMark; }
    void setIsPrintMark(bool v) { m_IsPrintMark = v; }
    bool IsPrintBackPic() const { return m_IsPrintBackPic; }
    void setIsPrintBackPic(bool v) { m_IsPrintBackPic = v; }
    // Text labels.
    bool IsPrintText() const { return m_IsPrintText; }
    void setIsPrintText(bool v) { m_IsPrintText = v; }

    // The clock of the "{日期}" field (the current time unless set).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    // How a stake is named when the layout stops at it: its index as the bet list shows it,
    // given its line in the job (1-based). Unset: the serial number of the line.
    void setStakeIndexOf(std::function<qint64(qint64 line)> indexOf) { m_stakeIndexOf = std::move(indexOf); }
    // The job line whose stake stopped the last PrintPLWithDatas; 0 when it ran to its end.
    qint64 StoppedAtLine() const { return m_stoppedAtLine; }

private:
    struct Job;

    void StartLayout(const colPLControls &layout, PrintSurface &surface, bool preview);
    void PrintPageElements(const Job &job, PrintSurface &surface, const QString &pageText,
                           const QString &stakeText);
    void PrintTestStake(const Job &job, PrintSurface &surface, double offsetX, double offsetY);
    void PrintStakeMarks(Job &job, PrintSurface &surface, const QString &stakeLine,
                         double offsetX, double offsetY);
    void PrintBackPicture(const colPLControls &layout, PrintSurface &surface, float originX,
                          float originY);
    const clsPLControl *FindLottNumberControl(Job &job, qint64 group, const QString &number);
    QString FieldText(const QString &fieldValue, const QString &pageText,
                      const QString &stakeText) const;

    bool m_IsPrintMark = true;
    bool m_IsPrintBackPic = false;
    bool m_IsPrintText = true;
    std::function<QDateTime()> m_clock;
    std::function<qint64(qint64 line)> m_stakeIndexOf;
    qint64 m_stoppedAtLine = 0;
};
