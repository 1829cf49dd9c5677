// Connects the drawing layer's fonts to the dialog manager: dialog fonts become DejaVu fonts of the template's
// point size at 96 dpi, and dialog units and text widths are measured with them. Without this call the window
// layer lays dialogs out with its fixed headless metrics.
#pragma once

namespace platform::gdi {

void UseDrawingFontsForDialogs();

}  // namespace platform::gdi
