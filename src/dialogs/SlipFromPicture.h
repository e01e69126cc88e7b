#pragma once
// What "识别填涂块" does to a template once the user has accepted what was found on the slip's
// picture: the template's block size, stakes and fill areas, the first stake's number blocks
// with their numbers, the timing marks as marks, and the straightened picture as background.
// Shared by the designer's dialog and `vornprn-cli template new --from-picture`.
#include "detect/SlipDetection.h"
#include "model/clsPLControl.h"

#include <QList>
#include <QString>
#include <QStringList>

class DialogCanvas;
class colPLControls;

struct SlipAreaChoice {
    QString firstNumber = QStringLiteral("1"); // "01" gives 01, 02, ...; "1" or "0" plain numbers
    bool leftOut = false;
    // How many numbers a stake chooses in the area (the template's count list); 0: see PicksForArea.
    int picks = 0;
};

// The count of numbers a stake chooses in `area` (from 1) of `blocks` blocks: `chosen` when it
// is above 0, else the template's own count for that area (`templateCounts`, as the template
// writes its list), else 1; never more than the area's blocks. The picture shows how many
// blocks an area has, never how many of them a bet fills.
int PicksForArea(const QString &templateCounts, int area, int blocks, int chosen);

// A first number is a whole number of digits, nothing else.
bool FirstNumberValid(const QString &text);
// The number of the block at `index` (from 1) of an area that starts at `first`: as many digits
// as `first` has when it starts with a 0 and has more than one.
QString BlockNumberText(const QString &first, int index);

struct SlipFromPicture {
    const SlipDetection *detection = nullptr;
    QList<SlipAreaChoice> areas;  // one per area of the first stake; missing ones take the default
    QString backPicture;          // the straightened picture's file
    QString fontName;
};

// Writes the template's settings (the count list from PicksForArea over the template's own list)
// and adds the elements through the canvas. Blocks and marks
// that already exist at the same place (existing) are not added again. Gives the added keys.
QStringList ApplySlipFromPicture(colPLControls &layout, DialogCanvas &canvas,
                                 const QList<clsPLControl> &existing, const SlipFromPicture &from);
