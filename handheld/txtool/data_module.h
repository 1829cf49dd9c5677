// TX-Tool's hub: the block shared with the worker (job record, slots, data-set buffers), the configuration, the
// list of data sets, and the two conversions: a data set read from the unit into a project file, a project file
// into a data set for the unit. The worker's reports reach it on the window thread (Events).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "handheld/txtool/slave_thread.h"
#include "handheld/txtool/unit_job.h"
#include "platform/vcl/component.h"

namespace txtool {

class TArbeitsform_;
class TBoxinfoform_;

inline constexpr int kDefaultPort = 1;
inline constexpr int kDefaultBaud = 9600;
inline constexpr std::uint8_t kUnitHead[3] = {2, 238, 1};  // an image built for the unit starts so

class TData : public TDataModule {
 public:
  explicit TData(TComponent* owner);
  ~TData() override;

  std::shared_ptr<UnitShared> Shared() const { return shared_; }
  // The worker (made by the start form; it frees itself when terminated).
  TSlaveThread* Thread = nullptr;
  int SelectedSlot = 0;
  bool ListValid = false;
  int PortNumber = kDefaultPort;
  int Baudrate = kDefaultBaud;
  // The file chosen for the running save or load.
  std::string FileName;
  // The forms it reports to (set when they exist).
  TArbeitsform_* MainForm = nullptr;
  TBoxinfoform_* BoxInfo = nullptr;

  const std::string& ConfigPath() const { return config_path_; }
  void SetConfigPath(std::string path) { config_path_ = std::move(path); }
  void ReadConfiguration();
  void WriteConfiguration();
  // The port settings into the worker's port (while it is suspended).
  void ApplyPortSettings();

  // The worker's reports, each run on the window thread.
  SlaveEvents Events();
  void ListRead();
  void SaveDataSetAsFile();
  void LoadFileToDataSet();
  void RequestReadDataSet();
  void UnitChanged();
  void SetStatusText(const std::string& text);
  void SetProgress(int bytes);

  // 17 when the slot holds a project, 18 when its data were read back from a drive.
  std::uint16_t FileKindOfSlot(int slot) const;
  int DataSetSize() const;

 private:
  bool Ask(const std::string& text, const std::string& title);
  void Tell(const std::string& text);
  void TellFromWorker(const std::string& text);
  void ListReadEvent();
  std::shared_ptr<UnitShared> shared_ = std::make_shared<UnitShared>();
  std::string config_path_;
  std::vector<std::string> open_reports_;  // the worker's messages shown now
};

// The application's data module.
extern TData* Data;

}  // namespace txtool
