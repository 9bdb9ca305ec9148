// Values, the grid and nudges: the minus and plus keys on tool values and shades, the grid
// step, the affine grid's axes, and moving the selection by a grid step.
#pragma once

namespace korvel {

struct Editor;

void minusKeyCommand(Editor& ed);
void plusKeyCommand(Editor& ed);
void decreaseToolParam(Editor& ed);
void increaseToolParam(Editor& ed);
void gridFiner(Editor& ed);
void gridCoarser(Editor& ed);
void normaliseAffineGrid(Editor& ed);
// R in the affine grid tool: the axis whose end lies nearest the mouse keeps its place and the
// other becomes it turned a quarter; nearest the origin, only a hint.
void squareAffineGrid(Editor& ed);
void nudgeSelectionLeft(Editor& ed);
void nudgeSelectionRight(Editor& ed);
void nudgeSelectionUp(Editor& ed);
void nudgeSelectionDown(Editor& ed);

}  // namespace korvel
