#pragma once
// A "[" and the "]" that faces it, at the same height, make one block: the pair's rectangle
// runs from the outer edge of the one to the outer edge of the other.
#include "detect/Outline.h"

#include <QList>

// Adds a BracketPair outline for every pair found; the single brackets stay in the list.
void PairBrackets(QList<Outline> &outlines);
