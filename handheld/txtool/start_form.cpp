#include "handheld/txtool/start_form.h"

#include "handheld/txtool/data_module.h"
#include "handheld/txtool/main_form.h"
#include "handheld/txtool/slave_thread.h"
#include "handheld/txtool/txtool_texts.h"
#include "platform/win/win.h"

namespace txtool {

namespace {

constexpr int kWaitStepMs = 50;
constexpr int kEndPauseMs = 500;
constexpr int kProgressMax = 32;
constexpr int kStateListAhead = 15;  // above it the worker reads the list

}  // namespace

TStartform_::TStartform_(TComponent* owner) : TForm(owner) {
  SetName("Startform_");
  SetCaption(kAppTitle);
  SetBorderStyle(bsDialog);
  SetClientSize(330, 250);
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnClose = [this](TObject*, TCloseAction&) {
    if (ModalResult() != mrOk) But_Schliessen_Click(this);
  };

  Pan_Schnittstelle = Add<TPanel>("Pan_Schnittstelle");
  Pan_Schnittstelle->SetParent(this);
  Pan_Schnittstelle->SetBounds(8, 8, 150, 140);
  Pan_Schnittstelle->SetCaption("");
  auto com = [this](TObject* s) { Radio_Com_Click(s); };
  Radio_Com1_ = Radio(Pan_Schnittstelle, "Radio_Com1_", "COM &1", 1, 30, com);
  Radio_Com2_ = Radio(Pan_Schnittstelle, "Radio_Com2_", "COM &2", 2, 60, com);

  Pan_Baudrate = Add<TPanel>("Pan_Baudrate");
  Pan_Baudrate->SetParent(this);
  Pan_Baudrate->SetBounds(170, 8, 150, 140);
  auto baud = [this](TObject* s) { Radio_Baud_Click(s); };
  Radio_4800_ = Radio(Pan_Baudrate, "Radio_4800_", "4800 Baud", 4800, 12, baud);
  Radio_9600_ = Radio(Pan_Baudrate, "Radio_9600_", "9600 Baud", 9600, 42, baud);
  Radio_19200_ = Radio(Pan_Baudrate, "Radio_19200_", "19200 Baud", 19200, 72, baud);
  Radio_38400_ = Radio(Pan_Baudrate, "Radio_38400_", "38400 Baud", 38400, 102, baud);

  Pan_Status = Add<TPanel>("Pan_Status");
  Pan_Status->SetParent(this);
  Pan_Status->SetBounds(8, 156, 312, 50);
  Pan_Status->SetBevelOuter(bvLowered);
  Pan_Status->SetVisible(false);
  Lab_Status = Add<TLabel>("Lab_Status");
  Lab_Status->SetParent(Pan_Status);
  Lab_Status->SetBounds(8, 6, 296, 18);
  Pro_Status = Add<TProgressBar>("Pro_Status");
  Pro_Status->SetParent(Pan_Status);
  Pro_Status->SetBounds(8, 26, 296, 16);
  Pro_Status->SetMax(kProgressMax);

  auto button = [this](const std::string& name, const std::string& caption, int left, TNotifyEvent click) {
    auto* b = Add<TButton>(name);
    b->SetParent(this);
    b->SetCaption(caption);
    b->SetBounds(left, 214, 96, 28);
    b->OnClick = std::move(click);
    return b;
  };
  But_Ok = button("But_Ok", "&Ok", 8, [this](TObject* s) { But_Ok_Click(s); });
  But_Ok->SetDefault(true);
  But_Info = button("But_Info", "&Hilfe", 116, [this](TObject* s) { But_Info_Click(s); });
  But_Schliessen = button("But_Schliessen", kCaptionClose, 224, [this](TObject* s) { But_Schliessen_Click(s); });
  Q_Warte = Add<TQStop>("Q_Warte");

  // The worker waits, suspended, for the port to be chosen.
  if (Data) {
    Data->Thread = TThread::Create<TSlaveThread>(true, Data->Shared(), Data->Events());
    Data->Thread->SetPriority(tpHigher);
  }
}

TRadioButton* TStartform_::Radio(TPanel* panel, const std::string& name, const std::string& caption, int tag,
                                 int top, TNotifyEvent click) {
  auto* r = Add<TRadioButton>(name);
  r->SetParent(panel);
  r->SetCaption(caption);
  r->SetTag(tag);
  r->SetBounds(16, top, 120, 22);
  r->OnClick = std::move(click);
  return r;
}

void TStartform_::FormCreate(TObject*) {
  if (!Data) return;
  Data->ReadConfiguration();
  loading_ = true;
  bool fine = true;
  if (Data->PortNumber == 1) {
    Radio_Com1_->SetChecked(true);
  } else if (Data->PortNumber == 2) {
    Radio_Com2_->SetChecked(true);
  } else {
    fine = false;
  }
  bool baud_found = false;
  for (TRadioButton* r : {Radio_4800_, Radio_9600_, Radio_19200_, Radio_38400_}) {
    if (r->Tag() == Data->Baudrate) {
      r->SetChecked(true);
      baud_found = true;
    }
  }
  loading_ = false;
  if (!fine) Application->MessageBox(kTextConfigError, Application->Title(), MB_OK | MB_ICONSTOP);
  if (!baud_found) Application->MessageBox(kTextConfigError, Application->Title(), MB_OK | MB_ICONSTOP);
}

void TStartform_::Radio_Com_Click(TObject* sender) {
  if (loading_ || !Data) return;
  const auto* button = dynamic_cast<TComponent*>(sender);
  if (!button) return;
  Data->PortNumber = button->Tag();
  Data->WriteConfiguration();
}

void TStartform_::Radio_Baud_Click(TObject* sender) {
  if (loading_ || !Data) return;
  const auto* button = dynamic_cast<TComponent*>(sender);
  if (!button) return;
  Data->Baudrate = button->Tag();
  Data->WriteConfiguration();
}

void TStartform_::But_Info_Click(TObject*) { Application->HelpContext(kHelpContents); }

void TStartform_::But_Schliessen_Click(TObject*) {
  Closing = true;
  Application->Terminate();
}

void TStartform_::ShowChoice(bool choice) {
  Pan_Schnittstelle->SetVisible(choice);
  Pan_Baudrate->SetVisible(choice);
  Pan_Status->SetVisible(!choice);
}

void TStartform_::But_Ok_Click(TObject*) {
  if (!Data || !Data->Thread) return;
  // 1. The port is opened while the worker still waits, so that another port can be chosen when it fails.
  ShowChoice(false);
  Closing = false;
  handheld::SerialPort& port = Data->Thread->Port();
  if (!port.Open()) {
    Data->ApplyPortSettings();
    port.SetOpen(true);
  }
  // 2.
  if (!port.Open()) {
    Lab_Status->SetCaption("COM" + std::to_string(Data->PortNumber) + kTextPortMissingTail);
    Pan_Schnittstelle->SetVisible(true);
    Pan_Baudrate->SetVisible(true);
    return;
  }
  Data->Thread->Resume();
  // 3. The wait.
  But_Ok->SetEnabled(false);
  But_Info->SetEnabled(false);
  But_Schliessen->SetCaption(kCaptionCancelWait);
  Lab_Status->SetCaption(kTextWaiting);
  Q_Warte->Pause(kWaitStepMs, true);
  bool found = false;
  // The window manager's close of the modal form sets its result only: that ends the wait too.
  while (!Closing && !Application->Terminated() && ModalResult() != mrCancel) {
    Q_Warte->Pause(kWaitStepMs, true);
    TThread::CheckSynchronize();
    Pro_Status->SetPosition(Pro_Status->Position() >= Pro_Status->Max() ? 0 : Pro_Status->Position() + 1);
    int state = 0;
    {
      const auto shared = Data->Shared();
      std::lock_guard lock(shared->mutex);
      state = shared->state;
    }
    // A unit that fell silent (the worker waits for one again) is no progress: the wait is shown until it answers.
    if (state == kStateStart || state == kStateChangingUnit) {
      Lab_Status->SetCaption(kTextWaiting);
    } else if (state > kStateListAhead) {
      Lab_Status->SetCaption(kTextBuildingList);
    } else {
      Lab_Status->SetCaption(kTextFound);
    }
    if (Data->ListValid) {
      found = true;
      break;
    }
  }
  // 4.
  if (found) {
    // The main window appears once this form's modal run, begun from its OnShow, has ended.
    Data->ListValid = false;
    Q_Warte->Pause(kEndPauseMs, true);
    SetModalResult(mrOk);
  } else {
    Data->Thread->Suspend();
    Q_Warte->Pause(kEndPauseMs, true);
    Application->Terminate();
  }
  // 5.
  But_Ok->SetEnabled(true);
  But_Info->SetEnabled(true);
  But_Schliessen->SetCaption(kCaptionClose);
  Lab_Status->SetCaption("");
  Pro_Status->SetPosition(0);
}

}  // namespace txtool
