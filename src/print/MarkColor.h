#pragma once
// The colour of every printed fill block and locate mark, shared by the main window and the
// print engine. 0x00BBGGRR; starts black.
#include <QtGlobal>

qint32 GetMarkColor();
void SetMarkColor(qint32 color);

// The mark colour of the main window's gray slider value (0 to 100; 100 is black).
qint32 MarkColorFromGray(int sliderValue);
