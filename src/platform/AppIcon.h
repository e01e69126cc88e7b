#pragma once
// The program's icon: a betting slip with filled blocks, drawn at every size the desktop asks
// for, so no picture file has to ship with the program.
#include <QIcon>

QIcon AppIcon();
