// Draws one operation of a printed page with Cairo; the caller sets the scale from device units.
#pragma once

#include "platform/gdi/print_job.h"

struct _cairo;

namespace platform::gdi {

void RenderPageOp(_cairo* cr, const PageOp& op);

}  // namespace platform::gdi
