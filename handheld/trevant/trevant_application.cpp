#include "handheld/trevant/trevant_application.h"

#include "handheld/trevant/bedien.h"
#include "platform/win/layer_texts.h"

namespace trevant {

TBedien_* CreateTrevantForm() {
  platform::win::SetLayerLanguage(platform::win::LayerLanguage::kGerman);
  Application->SetTitle("Trevant");
  return Application->CreateForm<TBedien_>();
}

}  // namespace trevant
