// A small program on the form layer with one of every component, for the tests: its handlers write what they
// see into an event log ("But_Ok.MouseDown", ...), so a test compares the log with a table.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/testing/driver.h"
#include "platform/vcl/vcl.h"

namespace vcltest {

using EventLog = std::vector<std::string>;

inline std::string ShiftText(TShiftState s) {
  std::string t;
  if (s.Contains(ssShift)) t += "S";
  if (s.Contains(ssCtrl)) t += "C";
  if (s.Contains(ssAlt)) t += "A";
  return t;
}

class TDemoForm : public TForm {
 public:
  explicit TDemoForm(TComponent* owner) : TForm(owner) {
    SetCaption("Tastomatik - Tool");
    SetBounds(40, 40, 480, 380);
    Pan_Schnittstelle = Add<TPanel>("Pan_Schnittstelle");
    Pan_Schnittstelle->SetParent(this);
    Pan_Schnittstelle->SetBounds(8, 8, 150, 70);
    Radio_Com1_ = MakeRadio("Radio_Com1_", "COM &1", 1, 8);
    Radio_Com2_ = MakeRadio("Radio_Com2_", "COM &2", 2, 32);
    Check_Deaktivieren = Add<TCheckBox>("Check_Deaktivieren");
    Check_Deaktivieren->SetParent(this);
    Check_Deaktivieren->SetCaption("deaktivieren");
    Check_Deaktivieren->SetBounds(170, 12, 110, 17);
    Check_Deaktivieren->OnClick = Logger("Check_Deaktivieren.Click");
    Lab_Status = Add<TLabel>("Lab_Status");
    Lab_Status->SetParent(this);
    Lab_Status->SetBounds(170, 40, 200, 16);
    Lab_Status->SetCaption("Warte auf Tastomatik ...");
    Lab_Status->SetFontColor(clRed);
    But_Ok = Add<TButton>("But_Ok");
    But_Ok->SetParent(this);
    But_Ok->SetCaption("&Ok");
    But_Ok->SetBounds(8, 90, 75, 25);
    HookMouse(But_Ok);
    But_Abbrechen = Add<TButton>("But_Abbrechen");
    But_Abbrechen->SetParent(this);
    But_Abbrechen->SetCaption("&Abbrechen");
    But_Abbrechen->SetBounds(90, 90, 75, 25);
    But_Abbrechen->SetModalResult(mrCancel);
    Speed_Ende = Add<TSpeedButton>("Speed_Ende");
    Speed_Ende->SetParent(this);
    Speed_Ende->SetCaption("Ende");
    Speed_Ende->SetBounds(172, 90, 50, 25);
    HookMouse(Speed_Ende);
    Edit_Namen = Add<TEdit>("Edit_Namen");
    Edit_Namen->SetParent(this);
    Edit_Namen->SetBounds(8, 124, 150, 21);
    Edit_Namen->SetMaxLength(16);
    Edit_Namen->OnChange = Logger("Edit_Namen.Change");
    Pro_Status = Add<TProgressBar>("Pro_Status");
    Pro_Status->SetParent(this);
    Pro_Status->SetBounds(170, 124, 200, 16);
    Pro_Status->SetMax(32);
    List_Datensatz_ = Add<TListView>("List_Datensatz_");
    List_Datensatz_->SetParent(this);
    List_Datensatz_->SetBounds(8, 152, 380, 120);
    List_Datensatz_->AddColumn("Nr.", 40);
    List_Datensatz_->AddColumn("Name", 140);
    List_Datensatz_->AddColumn("Status", 70);
    List_Datensatz_->AddColumn("Quelle", 70);
    List_Datensatz_->AddColumn("Schreibschutz", 60);
    List_Datensatz_->OnChange = [this](TObject*, TListItem* item, TItemChange) {
      log.push_back("List_Datensatz_.Change " + item->Caption() + (item->Selected() ? " on" : " off"));
    };
    for (int slot = 1; slot <= 3; ++slot) {
      TListItem* item = List_Datensatz_->AddItem();
      item->SetCaption(std::to_string(slot));
      item->SubItems().Add("Datensatz " + std::to_string(slot));
      item->SubItems().Add("ok");
      item->SubItems().Add(slot == 2 ? "Umrichter" : "PC");
      item->SubItems().Add(slot == 3 ? "ja" : "nein");
    }
    Led_Arbeit = Add<TShape>("Led_Arbeit");
    Led_Arbeit->SetParent(this);
    Led_Arbeit->SetShape(stCircle);
    Led_Arbeit->SetBounds(400, 152, 20, 20);
    Led_Arbeit->SetBrushColor(clSilver);
    Zeile = Add<TPanel>("Zeile");
    Zeile->SetParent(this);
    Zeile->SetBounds(8, 280, 200, 44);
    Zeile->SetBevelOuter(bvLowered);
    Zeile->SetColor(clWhite);
    Zeile->OnPaint = [this](TObject*) {
      Zeile->Canvas().Brush.Color = clWhite;
      Zeile->Canvas().TextOut(0, 0, line1);
      Zeile->Canvas().TextOut(0, 22, line2);
    };
    HookMouse(Zeile);

    Menu_Haupt = Add<TMainMenu>("Menu_Haupt");
    Datei1 = MakeItem("Datei1", "&Datei", Menu_Haupt->Items());
    Speichern1 = MakeItem("Speichern1", "... als ZPR-Datei &speichern", Datei1);
    MakeItem("N1", "-", Datei1);
    Ende1 = MakeItem("Ende1", "&Ende", Datei1);
    Hilfe1 = MakeItem("Hilfe1", "&Hilfe", Menu_Haupt->Items());
    Inhalt1 = MakeItem("Inhalt1", "&Inhalt", Hilfe1);
    Info1 = MakeItem("Info1", "&Info", Hilfe1);
    SetMenu(Menu_Haupt);
    Popup_Liste = Add<TPopupMenu>("Popup_Liste");
    Loeschen2 = MakeItem("Loeschen2", "Inhalt l\xF6schen", Popup_Liste->Items());
    List_Datensatz_->SetPopupMenu(Popup_Liste);

    Timer_Startdelay_ = Add<TTimer>("Timer_Startdelay_");
    Timer_Startdelay_->SetEnabled(false);
    Timer_Startdelay_->SetInterval(500);
    Timer_Startdelay_->OnTimer = Logger("Timer_Startdelay_.Timer");
    Dlg_Laden = Add<TOpenDialog>("Dlg_Laden");
    Dlg_Laden->Filter = "ZPR-Dateien|*.ZPR";
    Dlg_Speichern = Add<TSaveDialog>("Dlg_Speichern");
    Dlg_Speichern->Filter = "ZPR-Dateien|*.ZPR";

    OnCreate = Logger("Form.Create");
    OnShow = Logger("Form.Show");
    OnHide = Logger("Form.Hide");
    OnClose = [this](TObject*, TCloseAction& action) {
      log.push_back("Form.Close");
      action = close_action;
    };
    OnCloseQuery = [this](TObject*, bool& can_close) {
      log.push_back("Form.CloseQuery");
      can_close = may_close;
    };
    OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
      log.push_back("Form.KeyDown " + std::to_string(key) + ShiftText(shift));
      if (key == consume_key) key = 0;
    };
  }

  TNotifyEvent Logger(std::string text) {
    return [this, text](TObject*) { log.push_back(text); };
  }
  void HookMouse(TControl* c) {
    const std::string name = c->Name();
    c->OnMouseDown = [this, name](TObject*, TMouseButton b, TShiftState s, int, int) {
      log.push_back(name + ".MouseDown" + (b == mbLeft ? "" : b == mbRight ? " right" : " middle") + ShiftText(s));
    };
    c->OnMouseUp = [this, name](TObject*, TMouseButton b, TShiftState, int, int) {
      log.push_back(name + ".MouseUp" + (b == mbLeft ? "" : " right"));
    };
    c->OnClick = Logger(name + ".Click");
  }
  TRadioButton* MakeRadio(const std::string& name, const std::string& caption, int tag, int y) {
    auto* r = Add<TRadioButton>(name);
    r->SetParent(Pan_Schnittstelle);
    r->SetCaption(caption);
    r->SetTag(tag);
    r->SetBounds(8, y, 120, 17);
    r->OnClick = [this, name](TObject* sender) {
      log.push_back(name + ".Click " + std::to_string(static_cast<TComponent*>(sender)->Tag()));
    };
    return r;
  }
  TMenuItem* MakeItem(const std::string& name, const std::string& caption, TMenuItem* parent) {
    auto* item = Add<TMenuItem>(name);
    item->SetCaption(caption);
    item->OnClick = Logger(name + ".Click");
    parent->Add(item);
    return item;
  }

  EventLog log;
  bool may_close = true;
  TCloseAction close_action = caHide;
  WORD consume_key = 0;
  std::string line1 = "PC angeschlossen";
  std::string line2 = "TX-Tool 4.5";

  TPanel* Pan_Schnittstelle;
  TRadioButton* Radio_Com1_;
  TRadioButton* Radio_Com2_;
  TCheckBox* Check_Deaktivieren;
  TLabel* Lab_Status;
  TButton* But_Ok;
  TButton* But_Abbrechen;
  TSpeedButton* Speed_Ende;
  TEdit* Edit_Namen;
  TProgressBar* Pro_Status;
  TListView* List_Datensatz_;
  TShape* Led_Arbeit;
  TPanel* Zeile;
  TMainMenu* Menu_Haupt;
  TMenuItem* Datei1;
  TMenuItem* Speichern1;
  TMenuItem* Ende1;
  TMenuItem* Hilfe1;
  TMenuItem* Inhalt1;
  TMenuItem* Info1;
  TPopupMenu* Popup_Liste;
  TMenuItem* Loeschen2;
  TTimer* Timer_Startdelay_;
  TOpenDialog* Dlg_Laden;
  TSaveDialog* Dlg_Speichern;
};

// Each test runs in a driver session and leaves no form behind.
class VclTest : public ::testing::Test {
 protected:
  VclTest() { Application->Reset(); }
  ~VclTest() override { Application->Reset(); }
  platform::testing::Session session;
};

}  // namespace vcltest
