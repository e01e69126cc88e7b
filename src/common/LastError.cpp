#include "common/LastError.h"
#include "common/ToNumber.h"

#include <memory>

namespace {
std::unique_ptr<clsError> &slot()
{
    static std::unique_ptr<clsError> record;
    return record;
}
} // namespace

void RecordError(const QString &description, const QString &numberText, const QString &source)
{
    auto e = std::make_unique<clsError>();
    e->setErrDesc(description);
    const double n = ToNumber(numberText, 0, 0);
    e->setErrNumber(n >= -2147483648.0 && n <= 2147483647.0 ? qint32(n) : 0);
    e->setErrSource(source);
    slot() = std::move(e);
}

void RecordErrorContext(const QString &module, const QString &operation, const QString &message,
                        const QString &content, bool trace)
{
    Q_UNUSED(trace);
    if (!slot())
        slot() = std::make_unique<clsError>();
    slot()->setstrMoudle(module);
    slot()->setstrContent(content);
    slot()->setstrFunction(operation);
    slot()->setstrMsg(message);
}

QString GetLastErrorText(bool clear)
{
    if (!slot())
        return QString();
    const clsError &e = *slot();
    const QString crlf = QStringLiteral("\r\n");
    QString t = e.strMsg();
    if (!e.strContent().isEmpty())
        t += crlf + e.strContent() + crlf;
    t += crlf + crlf + QStringLiteral("错误编号:") + QString::number(e.ErrNumber()) + crlf;
    t += QStringLiteral("错误描述:") + e.ErrDesc() + crlf;
    if (clear)
        slot().reset();
    return t;
}

const clsError *LastErrorRecord() { return slot().get(); }
