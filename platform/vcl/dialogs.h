// The open and save dialogs: Filter as "text|patterns|text|patterns", FileName proposed and chosen, Execute
// true when the user chose a file.
#pragma once

#include <string>

#include "platform/vcl/component.h"

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
  std::string Filter;
  int FilterIndex = 1;
  std::string FileName;
  std::string InitialDir;
  std::string DefaultExt;
  std::string Title;
  bool Execute();

 protected:
  virtual bool Save() const { return false; }
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

 protected:
  bool Save() const override { return true; }
};
