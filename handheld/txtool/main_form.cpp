#include "handheld/txtool/main_form.h"

#include <algorithm>

#include "handheld/txtool/conv_images.h"
#include "handheld/txtool/data_module.h"
#include "handheld/txtool/dialogs.h"
#include "handheld/txtool/start_form.h"
#include "handheld/txtool/txtool_texts.h"
#include "platform/win/win.h"

namespace txtool {

namespace {

constexpr int kWaitStepMs = 50;
constexpr int kGiveUpPauseMs = 500;
constexpr int kChangeProgressMax = 32;
constexpr std::uint8_t kNoSlot = 255;

// A proposed file name: the slot's name without its trailing blanks and without folder separators (a slot
// without a name is named by its number).
std::string ProposedFileName(std::string name, int slot) {
  name.erase(std::remove(name.begin(), name.end(), '/'), name.end());
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (name.empty()) name = "Datensatz " + std::to_string(slot + 1);
  return name + ".ZPR";
}

}  // namespace

TArbeitsform_::TArbeitsform_(TComponent* owner) : TForm(owner) {
  SetName("Arbeitsform_");
  SetCaption(kAppTitle);
  OnShow = [this](TObject* s) { FormShow(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };

  Menu_Haupt = Add<TMainMenu>("Menu_Haupt");
  TMenuItem* data_sets = Item(Menu_Haupt->Items(), "Menu_Datensatz", "&Datensatz", nullptr);
  Menu_Speichern = Item(data_sets, "Menu_Speichern", kCaptionSave, [this](TObject* s) { But_Speichern_Click(s); });
  Menu_Laden = Item(data_sets, "Menu_Laden", kCaptionLoad, [this](TObject* s) { But_Laden_Click(s); });
  Menu_Schreibschutz = Item(data_sets, "Menu_Schreibschutz", kCaptionProtectOn,
                            [this](TObject* s) { But_Schreibschutz_Click(s); });
  Menu_Loeschen = Item(data_sets, "Menu_Loeschen", kCaptionClear, [this](TObject* s) { But_Loeschen_Click(s); });
  Item(data_sets, "Menu_Trenner", "-", nullptr);
  Item(data_sets, "Menu_Beenden", "&Beenden", [this](TObject*) { Close(); });
  TMenuItem* unit = Item(Menu_Haupt->Items(), "Menu_Tastomatik", "&Tastomatik", nullptr);
  Menu_Wechseln = Item(unit, "Menu_Wechseln", kCaptionChangeUnit, [this](TObject* s) { But_Wechseln_Click(s); });
  Menu_Boxinfo = Item(unit, "Menu_Boxinfo", kCaptionUnitInfo, [this](TObject* s) { But_Boxinfo_Click(s); });
  TMenuItem* help = Item(Menu_Haupt->Items(), "Menu_Hilfe", "&Hilfe", nullptr);
  Inhalt1 = Item(help, "Inhalt1", "&Inhalt", [this](TObject* s) { Inhalt1Click(s); });
  Info1 = Item(help, "Info1", "&Info ...", [this](TObject* s) { Info1Click(s); });
  SetMenu(Menu_Haupt);
  SetClientSize(560, 380);

  Popup_Datensatz = Add<TPopupMenu>("Popup_Datensatz");
  Popup_Speichern = Item(Popup_Datensatz->Items(), "Popup_Speichern", kCaptionSave,
                         [this](TObject* s) { But_Speichern_Click(s); });
  Popup_Laden = Item(Popup_Datensatz->Items(), "Popup_Laden", kCaptionLoad, [this](TObject* s) { But_Laden_Click(s); });
  Popup_Schreibschutz = Item(Popup_Datensatz->Items(), "Popup_Schreibschutz", kCaptionProtectOn,
                             [this](TObject* s) { But_Schreibschutz_Click(s); });
  Popup_Loeschen = Item(Popup_Datensatz->Items(), "Popup_Loeschen", kCaptionClear,
                        [this](TObject* s) { But_Loeschen_Click(s); });

  Speed_Speichern = Speed("Speed_Speichern", "Speichern", 4, [this](TObject* s) { But_Speichern_Click(s); });
  Speed_Laden = Speed("Speed_Laden", "Laden", 96, [this](TObject* s) { But_Laden_Click(s); });
  Speed_Schreibschutz =
      Speed("Speed_Schreibschutz", "Schutz", 188, [this](TObject* s) { But_Schreibschutz_Click(s); });
  Speed_Loeschen = Speed("Speed_Loeschen", "L\xF6schen", 280, [this](TObject* s) { But_Loeschen_Click(s); });
  Speed_Wechseln = Speed("Speed_Wechseln", "Wechseln", 372, [this](TObject* s) { But_Wechseln_Click(s); });
  Speed_Boxinfo = Speed("Speed_Boxinfo", "Info", 464, [this](TObject* s) { But_Boxinfo_Click(s); });

  List_Datensatz_ = Add<TListView>("List_Datensatz_");
  List_Datensatz_->SetParent(this);
  List_Datensatz_->SetBounds(4, 36, 552, 280);
  List_Datensatz_->SetViewStyle(vsReport);
  List_Datensatz_->AddColumn("Nr.", 40);
  List_Datensatz_->AddColumn("Name", 170);
  List_Datensatz_->AddColumn("Status", 90);
  List_Datensatz_->AddColumn("Quelle", 110);
  List_Datensatz_->AddColumn("Schreibschutz", 120);
  List_Datensatz_->SetPopupMenu(Popup_Datensatz);
  List_Datensatz_->OnChange = [this](TObject* s, TListItem* i, TItemChange c) { List_Datensatz_Change(s, i, c); };

  Pan_BoxText = Add<TPanel>("Pan_BoxText");
  Pan_BoxText->SetParent(this);
  Pan_BoxText->SetBounds(4, 322, 360, 24);
  Pan_BoxText->SetBevelOuter(bvLowered);
  Pro_Status = Add<TProgressBar>("Pro_Status");
  Pro_Status->SetParent(this);
  Pro_Status->SetBounds(4, 352, 520, 20);
  Led_Arbeit = Add<TSimpleLed>("Led_Arbeit");
  Led_Arbeit->SetParent(this);
  Led_Arbeit->SetShape(stCircle);
  Led_Arbeit->SetBounds(532, 352, 20, 20);
  Q_Warte = Add<TQStop>("Q_Warte");

  Dlg_Speichern = Add<TSaveDialog>("Dlg_Speichern");
  Dlg_Speichern->Filter = kZprFilter;
  Dlg_Speichern->DefaultExt = "ZPR";
  Dlg_Laden = Add<TOpenDialog>("Dlg_Laden");
  Dlg_Laden->Filter = kZprFilter;
  Dlg_Laden->DefaultExt = "ZPR";
  EnableAll(false);
}

TMenuItem* TArbeitsform_::Item(TMenuItem* parent, const std::string& name, const std::string& caption,
                               TNotifyEvent click) {
  auto* item = Add<TMenuItem>(name);
  item->SetCaption(caption);
  item->OnClick = std::move(click);
  parent->Add(item);
  return item;
}

TSpeedButton* TArbeitsform_::Speed(const std::string& name, const std::string& caption, int left,
                                   TNotifyEvent click) {
  auto* button = Add<TSpeedButton>(name);
  button->SetParent(this);
  button->SetCaption(caption);
  button->SetBounds(left, 4, 88, 26);
  button->OnClick = std::move(click);
  return button;
}

void TArbeitsform_::EnableSave(bool on) {
  Menu_Speichern->SetEnabled(on);
  Popup_Speichern->SetEnabled(on);
  Speed_Speichern->SetEnabled(on);
}

void TArbeitsform_::EnableLoad(bool on) {
  Menu_Laden->SetEnabled(on);
  Popup_Laden->SetEnabled(on);
  Speed_Laden->SetEnabled(on);
}

void TArbeitsform_::EnableWriteProtection(bool on) {
  Menu_Schreibschutz->SetEnabled(on);
  Popup_Schreibschutz->SetEnabled(on);
  Speed_Schreibschutz->SetEnabled(on);
}

void TArbeitsform_::EnableClear(bool on) {
  Menu_Loeschen->SetEnabled(on);
  Popup_Loeschen->SetEnabled(on);
  Speed_Loeschen->SetEnabled(on);
}

void TArbeitsform_::EnableChangeUnit(bool on) {
  Menu_Wechseln->SetEnabled(on);
  Speed_Wechseln->SetEnabled(on);
}

void TArbeitsform_::EnableUnitInfo(bool on) {
  Menu_Boxinfo->SetEnabled(on);
  Speed_Boxinfo->SetEnabled(on);
}

void TArbeitsform_::EnableAll(bool on) {
  EnableSave(on);
  EnableLoad(on);
  EnableWriteProtection(on);
  EnableClear(on);
  EnableChangeUnit(on);
  EnableUnitInfo(on);
}

void TArbeitsform_::SetProtectCaption(bool protected_slot) {
  const char* caption = protected_slot ? kCaptionProtectOff : kCaptionProtectOn;
  Menu_Schreibschutz->SetCaption(caption);
  Popup_Schreibschutz->SetCaption(caption);
}

std::uint16_t TArbeitsform_::SelectedAttribute() const {
  const auto shared = Data->Shared();
  std::lock_guard lock(shared->mutex);
  return shared->attributes[static_cast<std::size_t>(std::clamp(Data->SelectedSlot, 0, int(kSlotCount) - 1))];
}

void TArbeitsform_::StartJob() {
  Led_Arbeit->SetActive(true);
  EnableAll(false);
}

void TArbeitsform_::FormShow(TObject*) {
  if (!ShowStartForm) return;
  ShowStartForm = false;  // once, at the program's start
  auto* start = Owner()->Find<TStartform_>("Startform_");
  if (start && start->ShowModal() != mrOk) Application->Terminate();
}

void TArbeitsform_::FormClose(TObject*, TCloseAction&) { Application->Terminate(); }

void TArbeitsform_::List_Datensatz_Change(TObject*, TListItem* item, TItemChange) {
  TListItem* selected = List_Datensatz_->Selected();
  if (!selected || selected != item) return;
  Data->SelectedSlot = selected->Index();
  const std::uint16_t attribute = SelectedAttribute();
  if (attribute & kAttrValid) {
    const bool protected_slot = attribute & kAttrProtected;
    EnableSave(true);
    EnableWriteProtection(true);
    EnableLoad(!protected_slot);
    EnableClear(!protected_slot);
    SetProtectCaption(protected_slot);
  } else {
    EnableSave(false);
    EnableWriteProtection(false);
    EnableClear(false);
    EnableLoad(true);
  }
}

void TArbeitsform_::But_Speichern_Click(TObject*) {
  const int slot = Data->SelectedSlot;
  {
    const auto shared = Data->Shared();
    std::lock_guard lock(shared->mutex);
    shared->job.slot = static_cast<std::uint8_t>(slot);
  }
  // The name the list shows for the slot.
  const TListItem* item = List_Datensatz_->Selected();
  const std::string name = item && item->SubItems().Count() > 0 ? item->SubItems()[0] : std::string();
  Dlg_Speichern->FileName = ProposedFileName(name, slot);
  if (!Dlg_Speichern->Execute()) return;
  Data->FileName = Dlg_Speichern->FileName;
  StartJob();
  Pro_Status->SetMax(Data->DataSetSize());
  Data->RequestReadDataSet();
}

void TArbeitsform_::But_Laden_Click(TObject*) {
  const int slot = Data->SelectedSlot;
  {
    const auto shared = Data->Shared();
    std::lock_guard lock(shared->mutex);
    shared->job.slot = static_cast<std::uint8_t>(slot);
  }
  if (ConvInitImage(0) != kConvDone) {
    Application->MessageBox(kTextInitFailed, Application->Title(), MB_OK);
    return;
  }
  if ((SelectedAttribute() & kAttrValid) &&
      Application->MessageBox(kTextOverwrite, kCaptionLoad, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  if (!Dlg_Laden->Execute()) return;
  auto* names = Owner()->Find<TDlg_Namen_>("Dlg_Namen_");
  if (!names) return;
  names->FileName = Dlg_Laden->FileName;
  if (names->ShowModal() != mrOk) return;
  StartJob();
  const std::string name = names->Edit_Namen->Text().substr(0, kUnitNameMax);
  {
    const auto shared = Data->Shared();
    std::lock_guard lock(shared->mutex);
    shared->outgoing_name.fill(0);
    std::copy(name.begin(), name.end(), shared->outgoing_name.begin());
    shared->outgoing_file = Dlg_Laden->FileName;
  }
  Data->FileName = Dlg_Laden->FileName;
  Pro_Status->SetMax(Data->DataSetSize());
  Data->LoadFileToDataSet();
}

void TArbeitsform_::But_Schreibschutz_Click(TObject*) {
  const int slot = Data->SelectedSlot;
  StartJob();
  Data->Shared()->RequestAttributeWrite(slot, SelectedAttribute() ^ kAttrProtected);
}

void TArbeitsform_::But_Loeschen_Click(TObject*) {
  if (Application->MessageBox(kTextClearQuestion, kCaptionClear, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  StartJob();
  Data->Shared()->RequestJob(kStateClearSlot, Data->SelectedSlot);
}

void TArbeitsform_::But_Wechseln_Click(TObject* sender) {
  const bool user = sender != Data;
  if (user && Application->MessageBox(kTextChangeQuestion, kTitleChange, MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  Pan_BoxText->SetCaption(kTextInactive);
  if (user) {
    if (Data->Thread) Data->Thread->Suspend();
    Application->MessageBox(kTextConnectNew, kTitleChange, MB_OK);
    if (Data->Thread) Data->Thread->Resume();
  }
  Led_Arbeit->SetActive(true);
  Pan_BoxText->SetCaption("");
  if (Data->BoxInfo) {
    Data->BoxInfo->ShowUnitTexts("", "");
    Data->BoxInfo->Lab_Boxversion->SetCaption("");
    Data->BoxInfo->Lab_Anzahl_ds->SetCaption("");
    Data->BoxInfo->Lab_Groesse_ds->SetCaption("");
  }
  Data->ListValid = false;
  {
    const auto shared = Data->Shared();
    std::lock_guard lock(shared->mutex);
    shared->state = kStateChangingUnit;
    shared->stop = true;
    shared->job.slot = kNoSlot;
    // The names come again with the unit's text tables.
    for (auto& name : shared->names) name.fill(0);
    if (user) {
      for (auto& file : shared->file_names) file.clear();
    }
  }
  List_Datensatz_->Clear();
  EnableSave(false);
  EnableLoad(false);
  EnableWriteProtection(false);
  EnableChangeUnit(false);
  EnableUnitInfo(false);
  if (user) {
    // The worker ends its connection at the stop flag and opens its port again for the next one.
    Pan_BoxText->SetCaption(kTextWaiting);
    Pro_Status->SetMax(kChangeProgressMax);
    while (!Data->ListValid && !Application->Terminated() && Visible()) {
      Q_Warte->Pause(kWaitStepMs, true);
      TThread::CheckSynchronize();
      Pro_Status->SetPosition(Pro_Status->Position() >= Pro_Status->Max() ? 0 : Pro_Status->Position() + 1);
      int state = kStateStart;
      {
        const auto shared = Data->Shared();
        std::lock_guard lock(shared->mutex);
        state = shared->state;
      }
      if (state != kStateStart && state != kStateChangingUnit) Pan_BoxText->SetCaption(kTextPleaseWait);
    }
    if (!Data->ListValid) {
      Q_Warte->Pause(kGiveUpPauseMs, true);
      if (Data->Thread) Data->Thread->Suspend();
    }
  }
  Pro_Status->SetPosition(0);
}

void TArbeitsform_::But_Boxinfo_Click(TObject*) {
  if (Data->BoxInfo) Data->BoxInfo->ShowModal();
}

void TArbeitsform_::Info1Click(TObject*) {
  if (auto* info = Owner()->Find<TInfoForm_>("InfoForm_")) info->ShowModal();
}

void TArbeitsform_::Inhalt1Click(TObject*) { Application->HelpContext(kHelpContents); }

}  // namespace txtool
