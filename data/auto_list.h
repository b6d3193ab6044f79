#pragma once
namespace pantrium {

float ProposeUnits(int recordIndex);
// Proposes units for every row without units; asks for a redraw (mode 0) when it
// changed anything. Does not touch modified. Returns whether it changed anything.
bool RunAutoList();

}  // namespace pantrium
