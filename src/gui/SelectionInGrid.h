#pragma once
// The property grid over the canvas's selection: one selected element is shown as itself,
// several by the rows they share; an edit is written to every element the grid shows, as one
// undo step.
class KdPLDesinger;
class TemplateUndoStack;
class kdPLControlProperties;

// Shows the selection: several selected elements together, else the current one (none: the
// tips).
void ShowSelectionInGrid(const KdPLDesinger &canvas, kdPLControlProperties &grid);

// Writes the cells the user changed into every element the grid shows, in one change of the
// canvas and one undo step ("属性"); a text that does not convert keeps every value, and a row
// left blank keeps each element's own. Without a change there is no step. The grid then shows
// the same elements again, as they are now. Returns whether anything changed.
bool ApplyGridToElements(KdPLDesinger &canvas, TemplateUndoStack &undo, kdPLControlProperties &grid);
