// The drawing layer in one include: objects, device contexts, drawing, text, bitmaps and printing.
#pragma once

#include "platform/gdi/bitmap.h"
#include "platform/gdi/colorref.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/mul_div.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/printing.h"
#include "platform/gdi/text.h"
