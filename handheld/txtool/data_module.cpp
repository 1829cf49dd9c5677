#include "handheld/txtool/data_module.h"

#include <algorithm>
#include <span>

#include "handheld/txtool/conv_images.h"
#include "handheld/txtool/conv_layout.h"
#include "handheld/txtool/conv_project_file.h"
#include "handheld/txtool/conv_unit_image.h"
#include "handheld/txtool/dialogs.h"
#include "handheld/txtool/main_form.h"
#include "handheld/txtool/txtool_texts.h"
#include "model/data_set.h"
#include "platform/sys/module_path.h"
#include "platform/vcl/application.h"
#include "platform/vcl/ini_file.h"
#include "platform/win/win.h"

namespace txtool {

TData* Data = nullptr;

namespace {

constexpr std::uint16_t kDirectoryRecord = 3;
constexpr std::uint16_t kSkippedRecord = 14;  // the unit's record 14 never reaches a project file
constexpr std::uint16_t kCommentRecord = 317;
constexpr std::uint16_t kFileNameElement = 162;
constexpr std::size_t kNamesPerTable = 14;  // the unit's text tables hold the data sets' names, 17 bytes each

// A slot's name: the one the PC gave it, else the one in the unit's text table (empty when neither has one).
std::string SlotName(const UnitShared& s, std::size_t slot) {
  if (s.names[slot][0] != 0) return FieldText(s.names[slot].data(), kTextLength);
  const std::size_t index = slot / kNamesPerTable;
  const std::size_t at = (slot % kNamesPerTable) * kTextLength;
  if (index >= s.text_tables.size() || at + kTextLength > s.text_tables[index].size()) return {};
  return FieldText(s.text_tables[index].data() + at, kTextLength);
}

}  // namespace

TData::TData(TComponent* owner) : TDataModule(owner), config_path_(platform::sys::SettingsFilePath("cfg")) {
  Data = this;
}

TData::~TData() {
  if (Data == this) Data = nullptr;
}

void TData::ReadConfiguration() {
  const TIniFile ini(config_path_);
  PortNumber = ini.ReadInteger(kCfgSection, kCfgPort, kDefaultPort);
  Baudrate = ini.ReadInteger(kCfgSection, kCfgBaud, kDefaultBaud);
  WriteConfiguration();
}

void TData::WriteConfiguration() {
  TIniFile ini(config_path_);
  try {
    ini.WriteInteger(kCfgSection, kCfgPort, PortNumber);
    ini.WriteInteger(kCfgSection, kCfgBaud, Baudrate);
    ini.UpdateFile();
  } catch (const EIniFileException&) {
    // A folder without write access keeps the settings for this run only.
  }
}

void TData::ApplyPortSettings() {
  if (!Thread) return;
  Thread->Port().SetComNumber(PortNumber);
  Thread->Port().SetBaudrate(Baudrate);
}

SlaveEvents TData::Events() {
  SlaveEvents e;
  e.status = [this](const std::string& text) { SetStatusText(text); };
  e.progress = [this](int value) { SetProgress(value); };
  e.list_read = [this] { ListRead(); };
  e.data_set_read = [this] { SaveDataSetAsFile(); };
  e.unit_changed = [this] { UnitChanged(); };
  e.message = [this](const std::string& text) { TellFromWorker(text); };
  return e;
}

bool TData::Ask(const std::string& text, const std::string& title) {
  return Application->MessageBox(text, title, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TData::Tell(const std::string& text) { Application->MessageBox(text, Application->Title(), MB_OK); }

void TData::TellFromWorker(const std::string& text) {
  // The worker goes on while a box is open: the same report again (a unit that fails every job) adds no box.
  if (std::find(open_reports_.begin(), open_reports_.end(), text) != open_reports_.end()) return;
  open_reports_.push_back(text);
  Tell(text);
  open_reports_.erase(std::find(open_reports_.begin(), open_reports_.end(), text));
}

void TData::SetStatusText(const std::string& text) {
  if (MainForm) MainForm->Pan_BoxText->SetCaption(text);
}

void TData::SetProgress(int bytes) {
  if (MainForm) MainForm->Pro_Status->SetPosition(bytes);
}

int TData::DataSetSize() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->data_set_size;
}

std::uint16_t TData::FileKindOfSlot(int slot) const {
  std::lock_guard lock(shared_->mutex);
  const auto s = static_cast<std::size_t>(std::clamp(slot, 0, static_cast<int>(kSlotCount) - 1));
  return (shared_->attributes[s] & kAttrReverseDoc) ? model::kFileKindReverseDoc : model::kFileKindProject;
}

void TData::ListReadEvent() { ListRead(); }

void TData::ListRead() {
  struct Row {
    std::string name;
    std::uint16_t attribute;
  };
  std::vector<Row> rows;
  std::string version, line1, line2;
  int count = 0, size = 0;
  {
    std::lock_guard lock(shared_->mutex);
    count = shared_->data_set_count;
    size = shared_->data_set_size;
    version = FieldText(shared_->version.data(), kTextLength);
    line1 = FieldText(shared_->display_texts.data(), kTextLength);
    line2 = FieldText(shared_->display_texts.data() + kTextLength, kTextLength);
    for (int i = 0; i < count; ++i) {
      rows.push_back({SlotName(*shared_, static_cast<std::size_t>(i)), shared_->attributes[static_cast<std::size_t>(i)]});
    }
  }
  if (BoxInfo) {
    BoxInfo->ShowUnitTexts(line1, line2);
    BoxInfo->Lab_Boxversion->SetCaption(version);
    BoxInfo->Lab_Anzahl_ds->SetCaption(std::to_string(count));
    BoxInfo->Lab_Groesse_ds->SetCaption(std::to_string(size) + kTextBytes);
  }
  if (MainForm) {
    MainForm->Pan_BoxText->SetCaption(version);
    TListView* list = MainForm->List_Datensatz_;
    list->Clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      TListItem* item = list->AddItem();
      item->SetCaption(std::to_string(i + 1));
      const bool valid = rows[i].attribute & kAttrValid;
      item->SubItems().Add(valid ? rows[i].name : std::string());
      if (valid) {
        item->SubItems().Add(kTextOk);
        item->SubItems().Add((rows[i].attribute & kAttrReverseDoc) ? kTextFromDrive : kTextFromPc);
        item->SubItems().Add((rows[i].attribute & kAttrProtected) ? kTextYes : kTextNo);
      } else {
        item->SubItems().Add(kTextInvalid);
      }
    }
    MainForm->EnableAll(false);
    MainForm->EnableChangeUnit(true);
    MainForm->EnableUnitInfo(true);
    MainForm->Led_Arbeit->SetActive(false);
  }
  ListValid = true;
}

void TData::RequestReadDataSet() { shared_->RequestJob(kStateReadDataSet, SelectedSlot); }

void TData::UnitChanged() {
  if (MainForm) MainForm->But_Wechseln_Click(this);
}

void TData::SaveDataSetAsFile() {
  SetStatusText(kTextConverting);
  if (ConvInitImage(0) != kConvDone) {
    Tell(kTextInitFailed);
    ListReadEvent();
    return;
  }
  std::vector<std::uint8_t> received;
  int slot = 0;
  {
    std::lock_guard lock(shared_->mutex);
    received.assign(shared_->incoming.begin(),
                    shared_->incoming.begin() + static_cast<std::ptrdiff_t>(shared_->incoming_length));
    slot = shared_->job.slot;
  }
  // The directory must end inside the bytes received and run forwards; a record takes at most its own size.
  const auto records = ConvUnitDirectory(received);
  if (!records) {
    Tell(kTextConvertFailed);
    ListReadEvent();
    return;
  }
  for (const UnitRecord& r : *records) {
    if (r.record == kSkippedRecord) continue;
    std::vector<std::uint8_t> bytes(ConvRecordSize(r.record), 0);
    bool done = !bytes.empty() && ConvReadRecord(r.record, bytes.data(), 8, 0) == kConvDone;
    if (done) {
      std::copy_n(received.begin() + static_cast<std::ptrdiff_t>(r.offset), std::min(r.length, bytes.size()),
                  bytes.begin());
      done = ConvWriteRecord(r.record, bytes.data(), 8, 0) == kConvDone;
    }
    if (!done && r.record != kDirectoryRecord && !Ask(kTextConvertQuestion, kTitleConvertError)) {
      ListReadEvent();
      return;
    }
  }
  const std::uint16_t kind = FileKindOfSlot(slot);
  const std::string name = FileNamePart(FileName);
  if (ConvSetFileKind(kind, 0) != kind ||
      ConvWriteElement(kCommentRecord, kFileNameElement, name.c_str(), 8, 0) != kConvDone) {
    Tell(kTextConvertFailed);
    ListReadEvent();
    return;
  }
  SetStatusText(kTextWritingFile);
  const std::uint8_t mode = kind == model::kFileKindReverseDoc ? model::kProjectWriteReverseDoc
                                                               : model::kProjectWriteProject;
  const std::uint8_t status = ConvProjectFile(mode, 0, FileName.c_str());
  if (status != model::kFileDone) {
    Tell(std::string(kTextSaveFailed).append(std::to_string(status)));
  } else {
    std::lock_guard lock(shared_->mutex);
    shared_->file_names[static_cast<std::size_t>(slot)] = FileName;
  }
  ListReadEvent();
}

void TData::LoadFileToDataSet() {
  const int slot = SelectedSlot;
  SetStatusText(kTextReadingFile);
  const char* path = FileName.c_str();
  const std::uint8_t opened = ConvProjectFile(model::kProjectOpen, 0, path);
  auto give_up = [&](const std::string& message) {
    ConvProjectFile(model::kProjectClose, 0, path);  // never leave the file open
    if (!message.empty()) Tell(message);
    ListReadEvent();
  };
  const bool open_ok = opened == model::kFileDone || opened == model::kFileNewerLayout ||
                       opened == model::kFileOlderLayout;
  const bool reverse = open_ok && ConvOpenFileKind() == model::kFileKindReverseDoc;
  if (reverse && !Ask(kTextReverseDocQuestion, kCaptionLoad)) {
    give_up("");
    return;
  }
  std::uint8_t read = model::kFileInternalError;
  if (open_ok) {
    // Reverse documentation is read with its own list (the identity in record 5), then made a project.
    read = ConvProjectFile(reverse ? model::kProjectReadReverseDoc : model::kProjectReadProject, 0, path);
    if (read == model::kFileDone && reverse && ConvSetFileKind(model::kFileKindProject, 0) == 0) {
      read = model::kFileInvalidData;
    }
  }
  if (!open_ok || read != model::kFileDone) {
    give_up(std::string(kTextFileDamaged)
                .append(std::to_string(opened))
                .append(" ")
                .append(std::to_string(open_ok ? read : 0)));
    return;
  }

  // The image goes into the outgoing buffer; the unit takes its data-set size less one byte (the last block is
  // sent one short), so a longer image is refused before anything is sent.
  const std::size_t size = static_cast<std::size_t>(DataSetSize());
  std::vector<std::uint8_t> image(std::min(size, kDataSetBufferSize), 0);
  ConvSetUnitBuffer(std::span(image).first(image.empty() ? 0 : image.size() - 1));
  std::size_t length = 0;
  const std::uint8_t built = ConvBuildUnitDataSet(0, 0, &length);
  ConvSetUnitBuffer({});
  if (built == kConvImageTooLarge || built == kConvNoBuffer) {
    give_up(kTextTooLarge);
    return;
  }
  if (built != kConvDone) {
    give_up(std::string(kTextConvertFailed));
    return;
  }
  std::copy(std::begin(kUnitHead), std::end(kUnitHead), image.begin());
  image[3] = static_cast<std::uint8_t>(size >> 8);
  {
    std::lock_guard lock(shared_->mutex);
    std::copy(image.begin(), image.end(), shared_->outgoing.begin());
    shared_->outgoing_length = image.size();
  }
  shared_->RequestJob(kStateWriteDataSet, slot);
}

}  // namespace txtool
