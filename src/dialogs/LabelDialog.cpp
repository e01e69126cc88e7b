#include "dialogs/LabelDialog.h"

QString LabelTextFor(LabelOption option, const QString &txtUserDefine)
{
    switch (option) {
    case LabelOption::optPage:
        return QStringLiteral("{页码}");
    case LabelOption::optStake:
        return QStringLiteral("{注序号}");
    case LabelOption::optDateTime:
        return QStringLiteral("{日期}");
    case LabelOption::optUserDefine:
        break;
    }
    return txtUserDefine;
}
