#include "dialogs/LottPropertyDialog.h"
#include "common/Blanks.h"

#include "common/FormatMsg.h"
#include "common/ToNumber.h"
#include "common/VbFormat.h"
#include "detect/PictureResolution.h"
#include "model/colPLControls.h"
#include "print/PrintSurface.h"
#include "print/clsPLPrint.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace {
QString shown(double v, const char *pattern, FieldFormat format)
{
    return format == FieldFormat::Exact ? GeneralDouble(v) : VbFormatNumber(v, QLatin1String(pattern));
}

DialogCheck refuse(const char *field, const char *message, int page)
{
    return DialogCheck::Refuse(field, QString::fromUtf8(message), page);
}

// The offset and the picture's place: a text that is no number, or a huge one, would quietly
// become some default or move the slip off the paper; it is refused instead.
DialogCheck refuseBadLengths(std::initializer_list<std::pair<const char *, const QString *>> fields, int page)
{
    for (const auto &[name, text] : fields)
        if (!ConvertsToNumber(*text) || IsHugeLength(*text))
            return DialogCheck::Invalid(name, page);
    return DialogCheck::Pass();
}
} // namespace

LottPropertyFields FieldsFromTemplate(const colPLControls &t, FieldFormat format)
{
    LottPropertyFields f;
    f.txtLayoutName = t.LayoutName();
    f.optMarkCross = t.MarkStyle() == 1;
    f.txtLottNumberWidth = shown(t.LottNumberWidth(), "####0.0", format);
    f.txtLottNumberHeight = shown(t.LottNumberHeight(), "####0.0", format);
    f.optLandscape = t.PaperOrientation() == 1;
    f.txtLayoutLeft = shown(t.LayoutLeft(), "####0.0", format);
    f.txtLayoutTop = shown(t.LayoutTop(), "####0.0", format);
    f.txtStakeCount = QString::number(t.StakeCountPerTicket());
    f.txtStakeOffsetStrX = t.StakeLocateOffsetStrX();
    f.txtStakeOffsetStrY = t.StakeLocateOffsetStrY();
    f.txtGroupCount = QString::number(t.GroupCount());
    f.txtGroupLottNumberCountStr = t.GroupLottNumberCountStr();
    f.txtBackPicturePathFile = t.BackPicPathFileStored();
    f.txtBackPictureWidth = shown(t.BackPicWidth(), "###0.0", format);
    f.txtBackPictureHeight = shown(t.BackPicHeight(), "###0.0", format);
    f.txtBackPictureLeft = shown(t.BackPicLeft(), "###0.0", format);
    f.txtBackPictureTop = shown(t.BackPicTop(), "###0.0", format);
    return f;
}

LottPropertyFields LoadFromTemplate(const colPLControls &layout, PrintSurface &vspThis,
                                    FieldFormat format)
{
    clsPLPrint().SetPrinterPageByLayout(vspThis, layout);
    return FieldsFromTemplate(layout, format);
}

void SaveToTemplate(const LottPropertyFields &f, colPLControls &t, PrintSurface &vspThis)
{
    // A surface without a paper (the template had none) reports A4 only as what it draws on;
    // the template keeps its own paper fields then.
    const float paperWidth = t.PaperWidth(), paperHeight = t.PaperHeight();
    clsPLPrint().GetPrinterPageByLayout(vspThis, t);
    if (vspThis.PaperSize() == 0) {
        t.setPaperWidth(paperWidth);
        t.setPaperHeight(paperHeight);
    }

    t.setLayoutName(f.txtLayoutName);
    t.setMarkStyle(f.optMarkCross ? 1 : 0);
    t.setLottNumberWidth(ToNumber(f.txtLottNumberWidth, 3.0));
    t.setLottNumberHeight(ToNumber(f.txtLottNumberHeight, 1.5));
    t.setPaperOrientation(f.optLandscape ? 1 : 0);
    t.setLayoutLeft(ToNumber(f.txtLayoutLeft, 0));
    t.setLayoutTop(ToNumber(f.txtLayoutTop, 0));
    t.setStakeLocateOffsetStrX(f.txtStakeOffsetStrX);
    t.setStakeLocateOffsetStrY(f.txtStakeOffsetStrY);
    t.setGroupLottNumberCountStr(f.txtGroupLottNumberCountStr);
    t.setBackPicPathFile(f.txtBackPicturePathFile);
    t.setBackPicWidth(ToNumber(f.txtBackPictureWidth, 100));
    t.setBackPicHeight(ToNumber(f.txtBackPictureHeight, 100));
    t.setBackPicLeft(ToNumber(f.txtBackPictureLeft, 0));
    t.setBackPicTop(ToNumber(f.txtBackPictureTop, 0));
}

DialogCheck ValidatePage(const LottPropertyFields &f, int page)
{
    switch (page) {
    case 0:
        if (TrimBlanks(f.txtLayoutName).isEmpty())
            return refuse("txtLayoutName", "请输入彩票的名称！", 0);
        if (ToNumber(f.txtLottNumberWidth, 0) == 0 || IsHugeLength(f.txtLottNumberWidth))
            return refuse("txtLottNumberWidth", "请输入号码填涂块的宽度（毫米）！", 0);
        if (ToNumber(f.txtLottNumberHeight, 0) == 0 || IsHugeLength(f.txtLottNumberHeight))
            return refuse("txtLottNumberHeight", "请输入号码填涂块的高度（毫米）！", 0);
        return refuseBadLengths({{"txtLayoutLeft", &f.txtLayoutLeft}, {"txtLayoutTop", &f.txtLayoutTop}}, 0);
    case 1: {
        // The count a template derives from the offsets, as the real one will.
        colPLControls scratch;
        scratch.setStakeLocateOffsetStrX(f.txtStakeOffsetStrX);
        scratch.setStakeLocateOffsetStrY(f.txtStakeOffsetStrY);
        const double count = ToNumber(f.txtStakeCount, 0);
        if (count == 0 || count != scratch.StakeCountPerTicket())
            return refuse("txtStakeCount", "请正确的输入每张投注单注数，和各注的填涂位置偏移量！", 1);
        // Each list has one offset per stake, or none at all: a shorter list would print its
        // missing stakes at offset 0, on top of the first stake. The stake count alone only
        // agrees with the longer list, so both are checked, X first.
        for (const auto &[name, list] : {std::pair("txtStakeOffsetStrX", scratch.StakeLocateOffsetStrX()),
                                         std::pair("txtStakeOffsetStrY", scratch.StakeLocateOffsetStrY())})
            if (!list.isEmpty() && list.count(QLatin1Char(',')) + 1 != count)
                return refuse(name, "请正确的输入每张投注单注数，和各注的填涂位置偏移量！", 1);
        break;
    }
    case 2: {
        colPLControls scratch;
        scratch.setGroupLottNumberCountStr(f.txtGroupLottNumberCountStr);
        const double count = ToNumber(f.txtGroupCount, 0);
        if (count == 0 || count != scratch.GroupCount())
            return refuse("txtGroupCount", "请正确的输入每注多少个填涂区，和各填涂区选择号码个数！", 2);
        break;
    }
    case 3:
        return refuseBadLengths({{"txtBackPictureWidth", &f.txtBackPictureWidth},
                           {"txtBackPictureHeight", &f.txtBackPictureHeight},
                           {"txtBackPictureLeft", &f.txtBackPictureLeft},
                           {"txtBackPictureTop", &f.txtBackPictureTop}},
                          3);
    default:
        break;
    }
    return DialogCheck::Pass();
}

DialogCheck ValidateAllPages(const LottPropertyFields &f)
{
    for (int page = 0; page < LottPropertyPageCount; ++page) {
        const DialogCheck check = ValidatePage(f, page);
        if (!check.passed())
            return check;
    }
    return DialogCheck::Pass();
}

QString PageFirstField(int page)
{
    static const char *const first[LottPropertyPageCount] = {
        "txtLayoutName", "txtStakeCount", "txtGroupCount", "txtBackPicturePathFile"};
    return QLatin1String(first[std::clamp(page, 0, LottPropertyPageCount - 1)]);
}

WizardButtons WizardButtonsOnPage(int page)
{
    const int last = LottPropertyPageCount - 1;
    return {page > 0, page < last, page == last};
}

int PrevPage(int page) { return std::max(page - 1, 0); }
int NextPage(int page) { return std::min(page + 1, LottPropertyPageCount - 1); }

QString StakeOffsetExampleText()
{
    const QString text = QStringLiteral("【例】对于陕西双色球，每张投注单 5 个投注区，各投注区是横排的：{1}")
                         + QStringLiteral("    X 方向两个投注区相邻距离为28.5 毫米，那么X 方向的偏移量为 {1}")
                         + QStringLiteral(" “0, 28.5, 57, 85.5, 114”{1}   而Y 方向各注相同，所以 Y 方向偏移量为")
                         + QStringLiteral(" “0,0,0,0,0”");
    return FormatMsg(QString(), text, {QStringLiteral("\r\n")});
}

QString DpiPromptText()
{
    return FormatMsg(QString(),
                     QStringLiteral("请输入背景图片对应的扫描分辨率：DPI{1}DPI 的值是您在扫描图片时所设置的分辨率，推荐扫描时使用 150 DPI"),
                     {QStringLiteral("\r\n")});
}

QString DpiPromptTitle() { return QStringLiteral("根据 DPI 自动得到图片的尺寸"); }

std::optional<PictureSizeTexts> PictureSizeFromDpi(QSize pixels, const QString &dpiAnswer)
{
    const double dpi = ToNumber(dpiAnswer, 0);
    if (dpi < 0)
        return std::nullopt;
    return PictureSizeFromScale(pixels, dpi < 1 ? 0.0 : 25.4 / dpi);
}

PictureSizeTexts PictureSizeFromScale(QSize pixels, double mmPerPixel)
{
    return PictureSizeTexts{VbFormatNumber(pixels.width() * mmPerPixel, QStringLiteral("#0.0")),
                            VbFormatNumber(pixels.height() * mmPerPixel, QStringLiteral("#0.0"))};
}

QString DpiPromptDefaultFor(const QString &picturePath)
{
    QFile file(picturePath);
    const double dpi = file.open(QIODevice::ReadOnly) ? PictureResolutionDpi(file.read(64 * 1024)) : 0;
    // Resolutions are whole or decimal numbers of dots per inch: a tenth is kept (152.4).
    return dpi > 0 ? QString::number(std::round(dpi * 10) / 10, 'g', 10) : DpiPromptDefault();
}
