// Trevant's application: its title, the window layer's texts in German and its one form.
#pragma once

namespace trevant {

class TBedien_;

// Sets the title and the layer's language (German, as the program's own texts, whatever the user's locale) and
// creates the form.
TBedien_* CreateTrevantForm();

}  // namespace trevant
