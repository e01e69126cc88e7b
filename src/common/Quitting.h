#pragma once
// The program-wide quitting flag: while it is set, no window asks before closing.
bool IsQuitting();
void SetQuitting(bool quitting);
