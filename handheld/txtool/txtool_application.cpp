#include "handheld/txtool/txtool_application.h"

#include "handheld/txtool/data_module.h"
#include "handheld/txtool/dialogs.h"
#include "handheld/txtool/main_form.h"
#include "handheld/txtool/start_form.h"
#include "handheld/txtool/txtool_texts.h"
#include "platform/vcl/application.h"
#include "platform/win/layer_texts.h"

namespace txtool {

namespace {

template <class T>
T* Create(const char* name) {
  T* made = Application->CreateForm<T>();
  made->SetName(name);
  return made;
}

}  // namespace

TData* CreateTxToolForms() {
  // A German program: the message boxes' buttons and the file dialog speak German whatever the user's locale.
  platform::win::SetLayerLanguage(platform::win::LayerLanguage::kGerman);
  Application->SetTitle(kAppTitle);
  Application->SetHelpFile(kHelpFile);
  TData* data = Create<TData>("Data");
  data->MainForm = Create<TArbeitsform_>("Arbeitsform_");
  Create<TStartform_>("Startform_");
  data->BoxInfo = Create<TBoxinfoform_>("Boxinfoform_");
  Create<TDlg_Namen_>("Dlg_Namen_");
  Create<TInfoForm_>("InfoForm_");
  return data;
}

}  // namespace txtool
