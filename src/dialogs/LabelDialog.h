#pragma once
// The logic of frmPAddLabel: the text a new label gets from the chosen option.
#include <QString>

enum class LabelOption { optPage, optStake, optDateTime, optUserDefine };

// "{页码}", "{注序号}", "{日期}" (filled in when printing), or the free text exactly as typed.
QString LabelTextFor(LabelOption option, const QString &txtUserDefine);
