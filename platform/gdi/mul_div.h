// MulDiv: a * b / c in 64 bits, rounded half away from zero, as the drawing code scales coordinates.
#pragma once

// -1 when c is 0 or the result does not fit in an int.
int MulDiv(int a, int b, int c);
