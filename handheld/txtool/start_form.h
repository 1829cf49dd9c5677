// TX-Tool's start form: the port and baud rate, then the wait until a Tastomatik has connected and its list of
// data sets has been read; the main window takes over after that.
#pragma once

#include "handheld/common/qstop.h"
#include "platform/vcl/vcl.h"

namespace txtool {

class TStartform_ : public TForm {
 public:
  explicit TStartform_(TComponent* owner);

  TPanel* Pan_Schnittstelle;
  TRadioButton* Radio_Com1_;
  TRadioButton* Radio_Com2_;
  TPanel* Pan_Baudrate;
  TRadioButton* Radio_4800_;
  TRadioButton* Radio_9600_;
  TRadioButton* Radio_19200_;
  TRadioButton* Radio_38400_;
  TPanel* Pan_Status;
  TLabel* Lab_Status;
  TProgressBar* Pro_Status;
  TButton* But_Ok;
  TButton* But_Info;
  TButton* But_Schliessen;
  TQStop* Q_Warte;
  bool Closing = false;

  void FormCreate(TObject* sender);
  void Radio_Com_Click(TObject* sender);
  void Radio_Baud_Click(TObject* sender);
  void But_Info_Click(TObject* sender);
  void But_Schliessen_Click(TObject* sender);
  void But_Ok_Click(TObject* sender);

 private:
  TRadioButton* Radio(TPanel* panel, const std::string& name, const std::string& caption, int tag, int top,
                      TNotifyEvent click);
  void ShowChoice(bool choice);
  bool loading_ = false;
};

}  // namespace txtool
