// TX-Tool's main window: the list of the unit's data sets and the actions on the selected one (save to a
// project file, load from one, write protection, clear), the change of unit, the unit's information, help and
// the about box. Each action sets up a request; the worker carries it out and the data module completes it.
#pragma once

#include <string>

#include "handheld/common/qstop.h"
#include "handheld/common/simple_led.h"
#include "platform/vcl/vcl.h"

namespace txtool {

class TArbeitsform_ : public TForm {
 public:
  explicit TArbeitsform_(TComponent* owner);

  TListView* List_Datensatz_;
  TPanel* Pan_BoxText;
  TProgressBar* Pro_Status;
  TSimpleLed* Led_Arbeit;
  TQStop* Q_Warte;
  TSaveDialog* Dlg_Speichern;
  TOpenDialog* Dlg_Laden;
  TMainMenu* Menu_Haupt;
  TPopupMenu* Popup_Datensatz;
  // One menu item, pop-up item and speed button per action.
  TMenuItem* Menu_Speichern;
  TMenuItem* Menu_Laden;
  TMenuItem* Menu_Schreibschutz;
  TMenuItem* Menu_Loeschen;
  TMenuItem* Menu_Wechseln;
  TMenuItem* Menu_Boxinfo;
  TMenuItem* Inhalt1;
  TMenuItem* Info1;
  TMenuItem* Popup_Speichern;
  TMenuItem* Popup_Laden;
  TMenuItem* Popup_Schreibschutz;
  TMenuItem* Popup_Loeschen;
  TSpeedButton* Speed_Speichern;
  TSpeedButton* Speed_Laden;
  TSpeedButton* Speed_Schreibschutz;
  TSpeedButton* Speed_Loeschen;
  TSpeedButton* Speed_Wechseln;
  TSpeedButton* Speed_Boxinfo;

  // Enabling: each operation's menu item, pop-up item and speed button together.
  void EnableSave(bool on);
  void EnableLoad(bool on);
  void EnableWriteProtection(bool on);
  void EnableClear(bool on);
  void EnableChangeUnit(bool on);
  void EnableUnitInfo(bool on);
  void EnableAll(bool on);
  void SetProtectCaption(bool protected_slot);

  void FormShow(TObject* sender);
  void FormClose(TObject* sender, TCloseAction& action);
  void List_Datensatz_Change(TObject* sender, TListItem* item, TItemChange change);
  void But_Speichern_Click(TObject* sender);
  void But_Laden_Click(TObject* sender);
  void But_Schreibschutz_Click(TObject* sender);
  void But_Loeschen_Click(TObject* sender);
  void But_Wechseln_Click(TObject* sender);
  void But_Boxinfo_Click(TObject* sender);
  void Info1Click(TObject* sender);
  void Inhalt1Click(TObject* sender);

  // The start form shown by FormShow (a test shows the main form without it).
  bool ShowStartForm = true;

 private:
  TMenuItem* Item(TMenuItem* parent, const std::string& name, const std::string& caption, TNotifyEvent click);
  TSpeedButton* Speed(const std::string& name, const std::string& caption, int left, TNotifyEvent click);
  // The selected slot's attribute word (under the shared block's lock).
  std::uint16_t SelectedAttribute() const;
  void StartJob();  // LED on, actions off
};

}  // namespace txtool
