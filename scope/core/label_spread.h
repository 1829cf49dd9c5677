// Where labels along one axis go so that none covers another: each wants to start at its own place; labels that
// would touch are moved apart as a group, centred on where the group wanted to be, and the group is kept inside
// the room when it fits there.
#pragma once

#include <vector>

namespace scope {

struct LabelSpan {
  int wanted = 0;  // the start the label asks for
  int length = 0;  // its extent along the axis
  int start = 0;   // where it is put
};

// Sets every span's start: in the order of the wanted starts, each at least gap pixels after the one before it;
// a group that had to be spread lies centred on its wanted starts, and inside low..high when it fits there (a
// group longer than the room starts at low).
void SpreadLabels(std::vector<LabelSpan>& spans, int gap, int low, int high);

}  // namespace scope
