#pragma once
// The logic of frmPLottProperty ("彩票设置"): the fields of its four pages as texts, the checks
// page by page, writing them into the template, the wizard's buttons, and the picture size from
// the scan resolution. The window and `vornprn-cli template new|properties` both run these.
#include "dialogs/DialogCheck.h"

#include <QSize>
#include <QString>
#include <optional>

class colPLControls;
class PrintSurface;

struct LottPropertyFields {
    // page 0
    QString txtLayoutName;
    bool optMarkCross = false; // false: optMarkRect
    QString txtLottNumberWidth;
    QString txtLottNumberHeight;
    bool optLandscape = false; // false: optPortrait
    QString txtLayoutLeft;
    QString txtLayoutTop;
    // page 1
    QString txtStakeCount;
    QString txtStakeOffsetStrX;
    QString txtStakeOffsetStrY;
    // page 2
    QString txtGroupCount;
    QString txtGroupLottNumberCountStr;
    // page 3
    QString txtBackPicturePathFile;
    QString txtBackPictureWidth;
    QString txtBackPictureHeight;
    QString txtBackPictureLeft;
    QString txtBackPictureTop;
};

// How the numbers of the template are shown: with one decimal as the window shows them, or
// exactly, so that a field nobody changed writes back the same value.
enum class FieldFormat { Window, Exact };

// The fields as the dialog fills them from the template (the background picture as stored).
LottPropertyFields FieldsFromTemplate(const colPLControls &layout, FieldFormat format);
// Opening: the fields, and the template's page set-up handed to the dialog's surface.
LottPropertyFields LoadFromTemplate(const colPLControls &layout, PrintSurface &vspThis,
                                    FieldFormat format = FieldFormat::Window);
// Writes the fields into the template, after the page set-up taken back from the surface (so
// the orientation option wins). A template without a paper size keeps its paper as it was.
void SaveToTemplate(const LottPropertyFields &f, colPLControls &layout, PrintSurface &vspThis);

constexpr int LottPropertyPageCount = 4;
// The checks of one page (0 to 3), in order; the refusal names the page.
DialogCheck ValidatePage(const LottPropertyFields &f, int page);
// Pages 0 to 3 in order, up to the first refusal.
DialogCheck ValidateAllPages(const LottPropertyFields &f);

// The field that gets the focus when a page is shown.
QString PageFirstField(int page);
// The wizard's buttons on a page.
struct WizardButtons {
    bool prevEnabled;
    bool nextEnabled;
    bool finishEnabled;
};
WizardButtons WizardButtonsOnPage(int page);
// The page "上一步" / "下一步" lead to, kept within the pages.
int PrevPage(int page);
int NextPage(int page);

// The example under the stake offsets.
QString StakeOffsetExampleText();

// "根据 DPI 得到": the prompt, its title and default answer.
QString DpiPromptText();
QString DpiPromptTitle();
inline QString DpiPromptDefault() { return QStringLiteral("150"); }
// The default answer for a picture: the resolution the file declares (PNG pHYs, BMP, JPEG
// JFIF), else DpiPromptDefault(). A fixed 150 puts a 152.4-dpi scan 1.6 % too large, which
// moves the fifth stake's blocks by millimetres.
QString DpiPromptDefaultFor(const QString &picturePath);
struct PictureSizeTexts {
    QString width;
    QString height;
};
// The picture's size in millimetres for a scan resolution typed as text; none when the answer
// is negative (nothing changes). An answer below 1 gives 0 mm.
std::optional<PictureSizeTexts> PictureSizeFromDpi(QSize pixels, const QString &dpiAnswer);
// The picture's size in millimetres, the same scale both ways ("两点定标" gives it).
PictureSizeTexts PictureSizeFromScale(QSize pixels, double mmPerPixel);
