#include "print/clsPLPrint.h"
#include "print/CalibrationBlocks.h"
#include "print/ElementDrawing.h"
#include "print/PrintSurface.h"
#include "print/StakeGeometry.h"

#include "common/FormatMsg.h"
#include "common/MsgBox.h"
#include "common/VbFormat.h"
#include "model/ElementKind.h"
#include "model/colPLControls.h"

#include <optional>
#include <stdexcept>
#include <vector>

namespace {
// A stake line with more numbers than the template has positions; the message names the
// stake ("下标越界（第 N 注）") so that the user can find it in the list.
class TooManyTokens : public std::runtime_error {
public:
    TooManyTokens() : std::runtime_error("下标越界") {}
};

// Spaces only, as the field words are compared.
QString trimBlanks(const QString &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}
} // namespace

// What one layout call builds from the template before drawing.
struct clsPLPrint::Job {
    explicit Job(const colPLControls &l)
        : layout(l),
          stakeCount(std::max<int>(1, l.StakeCountPerTicket())),
          offsets(l.StakeLocateOffsetStrX(), l.StakeLocateOffsetStrY(), stakeCount)
    {
        for (const clsPLControl &el : l) {
            const ElementKind kind = ElementKindOf(el);
            if (kind == ElementKind::NumberBlock)
                lottNumbers.push_back(&el);
            else if (kind != ElementKind::Other)
                pageElements.push_back({kind, &el});
        }
    }

    const colPLControls &layout;
    int stakeCount;
    StakeOffsets offsets;
    std::optional<GroupPositionTable> groups;
    std::optional<LottNumberIndex> index;
    // Text labels, marks and lines in template order; number blocks are drawn per stake.
    std::vector<std::pair<ElementKind, const clsPLControl *>> pageElements;
    std::vector<const clsPLControl *> lottNumbers;
    // Bet lines repeat the same few number texts; each is converted once per job.
    QHash<QString, double> numberOfToken;
};

void clsPLPrint::SetPrinterPageByLayout(PrintSurface &surface, const colPLControls &layout)
{
    // Every setting on its own: one the surface refuses does not stop the next.
    surface.setPreview(true);
    surface.StartDoc();
    surface.setOrientation(layout.PaperOrientation());
    surface.setMarginBottom(layout.PaperMarginBottom());
    surface.setMarginTop(layout.PaperMarginTop());
    surface.setMarginRight(layout.PaperMarginRight());
    surface.setMarginLeft(layout.PaperMarginLeft());
    if (layout.PaperSize() != 0) {
        surface.setPaperWidth(layout.PaperWidth());
        surface.setPaperHeight(layout.PaperHeight());
        surface.setPaperSize(layout.PaperSize());
    }
    surface.EndDoc();
}

void clsPLPrint::GetPrinterPageByLayout(PrintSurface &surface, colPLControls &layout)
{
    layout.setPaperWidth(surface.PaperWidth());
    layout.setPaperHeight(surface.PaperHeight());
    layout.setPaperSize(surface.PaperSize());
    layout.setPaperOrientation(surface.Orientation());
    layout.setPaperMarginBottom(surface.MarginBottom());
    layout.setPaperMarginTop(surface.MarginTop());
    layout.setPaperMarginRight(surface.MarginRight());
    layout.setPaperMarginLeft(surface.MarginLeft());
}

void clsPLPrint::StartLayout(const colPLControls &layout, PrintSurface &surface, bool preview)
{
    surface.setPreview(preview);
    surface.StartDoc();
    surface.GetMargins();
    surface.setDocName(AppTitle() + QLatin1Char('-') + layout.LayoutName());
}

bool clsPLPrint::PrintPLWithDatas(const colPLControls &layout, const QStringList &stakeLines,
                                  PrintSurface &surface, bool preview, qint32 firstSerial)
{
    bool ok = true;
    m_stoppedAtLine = 0;
    qint64 line = 0;
    try {
        Job job(layout);
        job.index.emplace(layout);
        job.groups.emplace(layout.GroupLottNumberCountStr());
        StartLayout(layout, surface, preview);

        const qint64 lineCount = stakeLines.size() - 1;
        const qint64 s = job.stakeCount;
        const qint64 f = firstSerial;
        for (qint64 first = 1; first <= lineCount; first += s) {
            const qint64 last = std::min(first + s - 1, lineCount);
            if (first > 1)
                surface.NewPage();
            const qint64 ticket = (first + f - 2) / s + 1;
            const QString pageText = FormatMsg(QString(), QStringLiteral("第{1}页"), {ticket});
            const QString stakeText = FormatMsg(QString(), QStringLiteral("注：{1}~{2}"),
                                                {first + f - 1, last + f - 1});
            PrintPageElements(job, surface, pageText, stakeText);
            for (line = first; line <= last; ++line) {
                const int k = int(line - first);
                PrintStakeMarks(job, surface, stakeLines[line], job.offsets.X(k), job.offsets.Y(k));
            }
        }
    } catch (const TooManyTokens &e) {
        ok = false;
        m_stoppedAtLine = line;
        const qint64 index = m_stakeIndexOf ? m_stakeIndexOf(line) : line + firstSerial - 1;
        MsgBox(FormatMsg(QString(), QStringLiteral("{1}（第 {2} 注）"),
                         {QString::fromUtf8(e.what()), index}),
               MsgStyle::Plain);
    } catch (const std::exception &e) {
        ok = false;
        MsgBox(QString::fromUtf8(e.what()), MsgStyle::Plain);
    }
    // The pages laid out before an error stay a whole document that can be previewed.
    surface.EndDoc();
    return ok;
}

bool clsPLPrint::PrintPLWithTest(const colPLControls &layout, PrintSurface &surface, bool preview)
{
    bool ok = true;
    try {
        const Job job(layout);
        StartLayout(layout, surface, preview);
        PrintPageElements(job, surface, QStringLiteral("套打测试页"), QStringLiteral("无"));
        for (int k = 0; k < job.stakeCount; ++k)
            PrintTestStake(job, surface, job.offsets.X(k), job.offsets.Y(k));
    } catch (const std::exception &) {
        ok = false;
    }
    surface.EndDoc();
    return ok;
}

bool clsPLPrint::PrintPLWithCalibration(const colPLControls &layout, PrintSurface &surface, bool preview)
{
    bool ok = true;
    try {
        StartLayout(layout, surface, preview);
        const double originX = layout.LayoutLeft(), originY = layout.LayoutTop();
        for (const StakeBlock &b : CalibrationBlocks(layout))
            DrawElement(surface, *b.block, float((originX + b.rect.left() - b.block->Left()) * PrintScale),
                        float((originY + b.rect.top() - b.block->Top()) * PrintScale), PrintScale,
                        ElementDrawMode::Print, {.MarkStyle = 0});
    } catch (const std::exception &) {
        ok = false;
    }
    surface.EndDoc();
    return ok;
}

void clsPLPrint::PrintPageElements(const Job &job, PrintSurface &surface, const QString &pageText,
                                   const QString &stakeText)
{
    const float originX = float(job.layout.LayoutLeft() * PrintScale);
    const float originY = float(job.layout.LayoutTop() * PrintScale);
    surface.setShowGuides(1);
    PrintBackPicture(job.layout, surface, originX, originY);
    for (const auto &[kind, element] : job.pageElements) {
        switch (kind) {
        case ElementKind::TextLabel:
            if (m_IsPrintText) {
                const QString text = FieldText(element->FieldValue(), pageText, stakeText);
                DrawElement(surface, *element, originX, originY, PrintScale,
                            ElementDrawMode::Print, {.Caption = &text});
            }
            break;
        case ElementKind::Mark:
            // Marks that are always printed do not depend on the marks switch.
            if (element->IsAlwaysPrint() || m_IsPrintMark)
                DrawElement(surface, *element, originX, originY, PrintScale, ElementDrawMode::Print);
            break;
        case ElementKind::Line:
            if (m_IsPrintMark)
                DrawElement(surface, *element, originX, originY, PrintScale, ElementDrawMode::Print);
            break;
        case ElementKind::NumberBlock:
        case ElementKind::Other:
            break; // never in the list
        }
    }
}

QString clsPLPrint::FieldText(const QString &fieldValue, const QString &pageText,
                              const QString &stakeText) const
{
    const QString word = trimBlanks(fieldValue).toUpper();
    if (word == QStringLiteral("{日期}")) {
        const QDateTime now = m_clock ? m_clock() : QDateTime::currentDateTime();
        return VbFormatDate(now, QStringLiteral("yyyy-mm-dd HH:NN"));
    }
    if (word == QStringLiteral("{页码}"))
        return pageText;
    if (word == QStringLiteral("{注序号}"))
        return stakeText;
    return fieldValue;
}

void clsPLPrint::PrintTestStake(const Job &job, PrintSurface &surface, double offsetX,
                                double offsetY)
{
    const float x0 = float((job.layout.LayoutLeft() + offsetX) * PrintScale);
    const float y0 = float((job.layout.LayoutTop() + offsetY) * PrintScale);
    for (const clsPLControl *block : job.lottNumbers)
        DrawElement(surface, *block, x0, y0, PrintScale, ElementDrawMode::Print,
                    {.MarkStyle = job.layout.MarkStyle()});
}

const clsPLControl *clsPLPrint::FindLottNumberControl(Job &job, qint64 group, const QString &number)
{
    auto cached = job.numberOfToken.constFind(number);
    if (cached == job.numberOfToken.constEnd())
        cached = job.numberOfToken.insert(number, BlockKeyPart(number));
    return job.index->Find(BlockKey{double(group), *cached});
}

void clsPLPrint::PrintStakeMarks(Job &job, PrintSurface &surface, const QString &stakeLine,
                                 double offsetX, double offsetY)
{
    const float x0 = float((job.layout.LayoutLeft() + offsetX) * PrintScale);
    const float y0 = float((job.layout.LayoutTop() + offsetY) * PrintScale);
    // An empty line has no tokens at all.
    if (stakeLine.isEmpty())
        return;
    const QStringList tokens = stakeLine.split(QLatin1Char(' '));
    for (qint64 i = 0; i < tokens.size(); ++i) {
        const QString &token = tokens[i];
        if (token == QLatin1String("*"))
            continue;
        if (i >= job.groups->PositionCount())
            throw TooManyTokens();
        const clsPLControl *block = FindLottNumberControl(job, job.groups->GroupOf(i), token);
        if (block) {
            DrawElement(surface, *block, x0, y0, PrintScale, ElementDrawMode::Print,
                        {.MarkStyle = job.layout.MarkStyle()});
            continue;
        }
        // A number without a block is shown in red where the stake's first block is.
        if (const clsPLControl *anchor = job.index->Find(BlockKey{1, 1})) {
            surface.setTextColor(255);
            const QString text = FormatMsg(
                QString(), QStringLiteral("投注号码【{3}】没有设定对应的填涂块！{1}号码为：{2}"),
                {QStringLiteral("\r\n"), stakeLine, token});
            const ElementRectTwips at = ElementRect(*anchor, x0, y0, PrintScale);
            surface.TextBox(text, float(at.X), float(at.Y), 1200, 2000, 1);
        }
        return;
    }
}

void clsPLPrint::PrintBackPicture(const colPLControls &layout, PrintSurface &surface,
                                  float originX, float originY)
{
    if (!m_IsPrintBackPic)
        return;
    const PrintPicture picture = PrintPicture::Load(layout.BackPicPathFile());
    if (picture.isNull())
        return;
    surface.DrawPicture(picture, float(originX + layout.BackPicLeft() * PrintScale),
                        float(originY + layout.BackPicTop() * PrintScale),
                        float(layout.BackPicWidth() * PrintScale),
                        float(layout.BackPicHeight() * PrintScale));
}
