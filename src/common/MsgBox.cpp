#include "common/MsgBox.h"

#include <cstdio>

namespace {
MsgBoxHandler &handlerSlot()
{
    static MsgBoxHandler handler;
    return handler;
}

MsgAnswer defaultAnswer(MsgStyle style)
{
    switch (style) {
    case MsgStyle::ConfirmDefaultNo: return MsgAnswer::No;
    case MsgStyle::Question:
    case MsgStyle::QuestionCancel: return MsgAnswer::Yes;
    default: return MsgAnswer::Ok;
    }
}
} // namespace

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler)
{
    MsgBoxHandler previous = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return previous;
}

MsgAnswer MsgBox(const QString &text, MsgStyle style)
{
    if (handlerSlot())
        return handlerSlot()(text, style);
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stderr);
    std::fputc('\n', stderr);
    return defaultAnswer(style);
}

QString AppTitle()
{
    return QStringLiteral("VornPrn");
}
