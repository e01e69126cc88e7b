#include "vbscript/ScriptError.h"

#include <QHash>

namespace vbs {

QString errorText(int number)
{
    static const QHash<int, QString> texts = {
        {5, QStringLiteral("无效的过程调用或参数")},
        {6, QStringLiteral("溢出")},
        {7, QStringLiteral("内存不足")},
        {9, QStringLiteral("下标越界")},
        {11, QStringLiteral("被零除")},
        {13, QStringLiteral("类型不匹配")},
        {28, QStringLiteral("堆栈溢出")},
        {35, QStringLiteral("未定义 Sub 或 Function")},
        {91, QStringLiteral("对象变量未设置")},
        {92, QStringLiteral("For 循环未初始化")},
        {94, QStringLiteral("无效使用 Null")},
        {424, QStringLiteral("缺少对象")},
        {429, QStringLiteral("ActiveX 部件不能创建对象")},
        {438, QStringLiteral("对象不支持此属性或方法")},
        {450, QStringLiteral("错误的参数个数或无效的参数属性值")},
        {451, QStringLiteral("对象不是一个集合")},
        {457, QStringLiteral("此键已经与该集合的一个元素相关联")},
        {458, QStringLiteral("变量使用了一个 VBScript 中不支持的自动化类型")},
        {500, QStringLiteral("变量未定义")},
        {506, QStringLiteral("类没有定义")},
        {501, QStringLiteral("不能给变量赋值")},
        {505, QStringLiteral("无效或不合格的引用")},
        {10, QStringLiteral("该数组被固定或暂时锁定")},
        {1002, QStringLiteral("语法错误")},
        {1010, QStringLiteral("缺少标识符")},
        {1014, QStringLiteral("缺少 'End'")},
        {1024, QStringLiteral("缺少语句")},
        {1025, QStringLiteral("语句未结束")},
        {1031, QStringLiteral("无效数字")},
        {1032, QStringLiteral("无效字符")},
        {1033, QStringLiteral("未结束的字符串常量")},
        {1044, QStringLiteral("调用 Sub 时不能使用括号")},
        {5017, QStringLiteral("正则表达式语法错误")},
        {32811, QStringLiteral("元素未找到")},
        {Err::Timeout, QStringLiteral("脚本运行超时")},
        {Err::Stopped, QStringLiteral("脚本已被中止")},
    };
    auto it = texts.find(number);
    return it != texts.end() ? *it : QStringLiteral("未知的运行时错误");
}

void raise(int number)
{
    throw ScriptError{number, errorText(number), 0, false, false, {}, {}, 0};
}

void raiseNamed(int number, const QString &name)
{
    throw ScriptError{number, errorText(number) + QStringLiteral(": '") + name + QLatin1Char('\''), 0,
                      false, true, {}, {}, 0};
}

void raiseAt(int number, int line)
{
    throw ScriptError{number, errorText(number), line, false, false, {}, {}, 0};
}

} // namespace vbs
