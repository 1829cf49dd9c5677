#include "handheld/txtool/dialogs.h"

#include <algorithm>

#include "handheld/txtool/data_module.h"
#include "handheld/txtool/txtool_texts.h"

namespace txtool {

std::string FieldText(const std::uint8_t* field, std::size_t size) {
  const auto* text = reinterpret_cast<const char*>(field);
  return std::string(text, std::find(text, text + size, '\0'));
}

std::string FileNamePart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

namespace {

TLabel* AddLabel(TForm* form, const std::string& name, const std::string& caption, int left, int top,
                 int width = 150) {
  auto* label = form->Add<TLabel>(name);
  label->SetParent(form);
  label->SetCaption(caption);
  label->SetBounds(left, top, width, 20);
  return label;
}

TButton* AddButton(TForm* form, const std::string& name, const std::string& caption, int left, int top) {
  auto* button = form->Add<TButton>(name);
  button->SetParent(form);
  button->SetCaption(caption);
  button->SetBounds(left, top, 96, 28);
  return button;
}

TEdit* AddEdit(TForm* form, const std::string& name, int left, int top) {
  auto* edit = form->Add<TEdit>(name);
  edit->SetParent(form);
  edit->SetBounds(left, top, 180, 24);
  edit->SetMaxLength(static_cast<int>(kUnitNameMax));
  edit->SetColor(clWindow);
  return edit;
}

}  // namespace

TDlg_Namen_::TDlg_Namen_(TComponent* owner) : TForm(owner) {
  SetName("Dlg_Namen_");
  SetCaption("Datensatzname");
  SetBorderStyle(bsDialog);
  SetClientSize(300, 110);
  OnShow = [this](TObject* s) { FormShow(s); };
  Lab_Namen = AddLabel(this, "Lab_Namen", "Name des Datensatzes (1 bis 16 Zeichen):", 12, 12, 280);
  Edit_Namen = Add<TEdit>("Edit_Namen");
  Edit_Namen->SetParent(this);
  Edit_Namen->SetBounds(12, 38, 276, 24);
  Edit_Namen->SetColor(clWindow);
  But_Weiter = AddButton(this, "But_Weiter", "Weiter ", 192, 74);
  But_Weiter->SetDefault(true);
  But_Weiter->OnClick = [this](TObject* s) { But_Weiter_Click(s); };
}

void TDlg_Namen_::FormShow(TObject*) { Edit_Namen->SetText(FileNamePart(FileName)); }

void TDlg_Namen_::But_Weiter_Click(TObject*) {
  // The unit's field holds 16 single-byte characters: the text is counted in those.
  const std::size_t length = Edit_Namen->Text().size();
  if (length >= 1 && length <= kUnitNameMax) SetModalResult(mrOk);
}

TBoxinfoform_::TBoxinfoform_(TComponent* owner) : TForm(owner) {
  SetName("Boxinfoform_");
  SetCaption("Tastomatik-Info");
  SetBorderStyle(bsDialog);
  SetClientSize(360, 250);
  AddLabel(this, "Lab_Text1", "Anzeigetext 1:", 12, 16, 110);
  Edit_BoxText1 = AddEdit(this, "Edit_BoxText1", 130, 12);
  AddLabel(this, "Lab_Text2", "Anzeigetext 2:", 12, 48, 110);
  Edit_BoxText2 = AddEdit(this, "Edit_BoxText2", 130, 44);
  Check_Deaktivieren = Add<TCheckBox>("Check_Deaktivieren");
  Check_Deaktivieren->SetParent(this);
  Check_Deaktivieren->SetCaption("deaktivieren");
  Check_Deaktivieren->SetBounds(130, 76, 180, 22);
  Check_Deaktivieren->OnClick = [this](TObject* s) { Check_Deaktivieren_Click(s); };
  AddLabel(this, "Lab_Version", "Version:", 12, 112, 110);
  Lab_Boxversion = AddLabel(this, "Lab_Boxversion", "", 130, 112, 220);
  AddLabel(this, "Lab_Anzahl", "Datens\xE4tze:", 12, 138, 110);
  Lab_Anzahl_ds = AddLabel(this, "Lab_Anzahl_ds", "", 130, 138, 220);
  AddLabel(this, "Lab_Groesse", "Gr\xF6\xDF" "e:", 12, 164, 110);
  Lab_Groesse_ds = AddLabel(this, "Lab_Groesse_ds", "", 130, 164, 220);
  But_Ok = AddButton(this, "But_Ok", "&Ok", 144, 206);
  But_Ok->SetDefault(true);
  But_Ok->OnClick = [this](TObject* s) { But_Ok_Click(s); };
  But_Abbrechen = AddButton(this, "But_Abbrechen", "&Abbrechen", 252, 206);
  But_Abbrechen->OnClick = [this](TObject* s) { But_Abbrechen_Click(s); };
}

void TBoxinfoform_::ShowUnitTexts(const std::string& line1, const std::string& line2) {
  unit_line1_ = line1;
  unit_line2_ = line2;
  Edit_BoxText1->SetText(line1);
  Edit_BoxText2->SetText(line2);
}

void TBoxinfoform_::But_Ok_Click(TObject*) {
  if (Data) {
    const auto shared = Data->Shared();
    {
      std::lock_guard lock(shared->mutex);
      shared->new_display_texts.fill(0);
      const std::string texts[2] = {Edit_BoxText1->Text(), Edit_BoxText2->Text()};
      for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t n = std::min(texts[i].size(), kUnitNameMax);
        std::copy_n(texts[i].begin(), n, shared->new_display_texts.begin() + static_cast<std::ptrdiff_t>(i * kTextLength));
      }
    }
    shared->RequestJob(kStateSendTexts, Data->SelectedSlot);
  }
  if (Modal()) {
    SetModalResult(mrOk);
  } else {
    Hide();
  }
}

void TBoxinfoform_::Check_Deaktivieren_Click(TObject*) {
  const bool enable = !Edit_BoxText1->Enabled();
  for (TEdit* edit : {Edit_BoxText1, Edit_BoxText2}) {
    edit->SetEnabled(enable);
    edit->SetColor(enable ? clWindow : clBtnFace);
    if (!enable) edit->SetText("");
  }
}

void TBoxinfoform_::But_Abbrechen_Click(TObject*) {
  Edit_BoxText1->SetText(unit_line1_);
  Edit_BoxText2->SetText(unit_line2_);
  if (Modal()) {
    SetModalResult(mrCancel);
  } else {
    Close();
  }
}

TInfoForm_::TInfoForm_(TComponent* owner) : TForm(owner) {
  SetName("InfoForm_");
  SetCaption("Info");
  SetBorderStyle(bsDialog);
  SetClientSize(300, 150);
  AddLabel(this, "Lab_Titel", kAppTitle, 20, 16, 260);
  AddLabel(this, "Lab_Version", "TX-Tool 4.5", 20, 44, 260);
  AddLabel(this, "Lab_Zweck", "Datens\xE4tze der Tastomatik auf dem PC", 20, 72, 260);
  But_Schliessen = AddButton(this, "But_Schliessen", kCaptionClose, 102, 110);
  But_Schliessen->OnClick = [this](TObject* s) { But_Schliessen_Click(s); };
}

void TInfoForm_::But_Schliessen_Click(TObject*) {
  if (Modal()) {
    SetModalResult(mrOk);
  } else {
    Close();
  }
}

}  // namespace txtool
