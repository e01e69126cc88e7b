#include "input/StakeCheck.h"

#include "common/FormatMsg.h"
#include "input/BetList.h"
#include "input/NormalizeLottNumberLine.h"
#include "model/colPLControls.h"

namespace {
const QString kReasonSeparator = QStringLiteral("；");

// The block key part of a token of digits, as the engine's numeric conversion reads it; short
// ones without building a text, since a list of a million stakes has millions of them.
double DigitsValue(QStringView digits)
{
    if (digits.size() > 15)
        return BlockKeyPart(digits.toString());
    double v = 0;
    for (QChar c : digits)
        v = v * 10 + (c.unicode() - u'0');
    return v;
}

void AddReason(QString &reasons, const QString &reason)
{
    if (!reasons.isEmpty())
        reasons += kReasonSeparator;
    reasons += reason;
}

// The reasons, as the window and the command line show them.
QString NoBlockReason(QStringView number, qint64 group)
{
    return FormatMsg(QString(), QStringLiteral("号码 {1} 在第 {2} 填涂区没有对应的填涂块"),
                     {number.toString(), group});
}

QString TooManyNumbersReason(qint64 count, qint64 positions)
{
    return FormatMsg(QString(), QStringLiteral("号码个数 {1} 超过投注单的 {2} 个位置"),
                     {count, positions});
}

QString NotANumberReason(QStringView token)
{
    return FormatMsg(QString(), QStringLiteral("“{1}”不是号码"), {token.toString()});
}
} // namespace

StakeChecker::StakeChecker(const colPLControls &layout)
    : m_groups(layout.GroupLottNumberCountStr()), m_index(layout)
{
}

QString StakeChecker::Check(QStringView betLine) const
{
    QString reasons;
    if (betLine.isEmpty())
        return reasons;
    const qint64 positions = m_groups.PositionCount();
    qint64 position = 0;
    bool tooMany = false;
    qsizetype start = 0;
    for (;;) {
        qsizetype end = betLine.indexOf(u' ', start);
        if (end < 0)
            end = betLine.size();
        const QStringView token = betLine.mid(start, end - start);
        if (token != u"*") {
            if (position >= positions) {
                // The engine stops the whole layout here; the count says by how much.
                tooMany = true;
            } else if (!AllAsciiDigits(token)) {
                AddReason(reasons, NotANumberReason(token));
            } else {
                const qint64 group = m_groups.GroupOf(position);
                if (!m_index.Find(BlockKey{double(group), DigitsValue(token)}))
                    AddReason(reasons, NoBlockReason(token, group));
            }
        }
        ++position;
        if (end >= betLine.size())
            break;
        start = end + 1;
    }
    if (tooMany)
        AddReason(reasons, TooManyNumbersReason(position, positions));
    return reasons;
}

std::vector<StakeFinding> CheckLottNumbers(const BetList &list, const colPLControls &layout)
{
    const StakeChecker checker(layout);
    std::vector<StakeFinding> findings;
    const int count = list.Count();
    for (int row = 0; row < count; ++row) {
        QString reason = checker.Check(list.BetLineView(row));
        if (!reason.isEmpty())
            findings.push_back({row, std::move(reason)});
    }
    return findings;
}
