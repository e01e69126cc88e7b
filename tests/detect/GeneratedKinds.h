#pragma once
// The kinds of generated slip picture the detector is tested and measured on: outline styles,
// inks, papers, resolutions, rotation, blur, noise, uneven light, JPEG and a slip's usual
// distractors.
#include "SlipGenerator.h"

#include <QList>

struct GeneratedKind {
    const char *kind;
    slipgen::SlipRecipe recipe;
};

const QList<GeneratedKind> &GeneratedKinds();
