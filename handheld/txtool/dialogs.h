// TX-Tool's small forms: the name of a data set sent to the unit, the unit's information with its two display
// texts, and the about box.
#pragma once

#include "platform/vcl/vcl.h"

namespace txtool {

inline constexpr std::size_t kUnitNameMax = 16;

class TDlg_Namen_ : public TForm {
 public:
  explicit TDlg_Namen_(TComponent* owner);
  TEdit* Edit_Namen;
  TButton* But_Weiter;
  TLabel* Lab_Namen;
  // The file whose name (without its folder) is proposed.
  std::string FileName;
  void FormShow(TObject* sender);
  void But_Weiter_Click(TObject* sender);
};

class TBoxinfoform_ : public TForm {
 public:
  explicit TBoxinfoform_(TComponent* owner);
  TEdit* Edit_BoxText1;
  TEdit* Edit_BoxText2;
  TCheckBox* Check_Deaktivieren;
  TLabel* Lab_Boxversion;
  TLabel* Lab_Anzahl_ds;
  TLabel* Lab_Groesse_ds;
  TButton* But_Ok;
  TButton* But_Abbrechen;
  void But_Ok_Click(TObject* sender);
  void Check_Deaktivieren_Click(TObject* sender);
  void But_Abbrechen_Click(TObject* sender);
  // The unit's texts as it last sent them.
  void ShowUnitTexts(const std::string& line1, const std::string& line2);

 private:
  std::string unit_line1_;
  std::string unit_line2_;
};

class TInfoForm_ : public TForm {
 public:
  explicit TInfoForm_(TComponent* owner);
  TButton* But_Schliessen;
  void But_Schliessen_Click(TObject* sender);
};

// The text of a 17-byte unit field up to its end byte, trailing blanks kept.
std::string FieldText(const std::uint8_t* field, std::size_t size);
// A file name's part after its last '/'.
std::string FileNamePart(const std::string& path);

}  // namespace txtool
