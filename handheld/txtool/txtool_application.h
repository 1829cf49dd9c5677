// TX-Tool's application: its title and help file, the layer's texts in German, and its data module and forms
// created in their order.
#pragma once

namespace txtool {

class TData;

// Makes the window layer's texts German, creates the data module and the forms (the main form first among the
// forms, then the start form, the unit-information form, the name dialog and the about box) and links them;
// returns the data module.
TData* CreateTxToolForms();

}  // namespace txtool
