#include "common/Quitting.h"

namespace {
bool g_quitting = false;
}

bool IsQuitting() { return g_quitting; }

void SetQuitting(bool quitting) { g_quitting = quitting; }
