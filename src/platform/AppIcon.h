#pragma once
// The program's icon: a betting slip with filled blocks (icons/vornprn.svg, which is also the
// icon installed for the desktop), at every size the desktop asks for.
#include <QIcon>

QIcon AppIcon();
