// TX-Tool's worker: answers the Tastomatik (the master) as a slave, one telegram at a time, and moves the unit
// through identification, the slot list and the jobs that the forms request through UnitShared. Everything it
// reports (status texts, progress, list read, data set read, unit changed, the failure message) is handed to the
// window thread (Queue) and the worker goes on serving the line: it never waits for a form or a message box.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "handheld/common/serial_port.h"
#include "handheld/txtool/unit_job.h"
#include "platform/vcl/thread.h"

namespace txtool {

// Results of ReceiveTelegram.
inline constexpr int kReceiveConnect = -1;
inline constexpr int kReceiveWrite = -2;     // type 5: the unit writes to the PC
inline constexpr int kReceiveTexts = -3;     // type 7: a text table
inline constexpr int kReceiveStatus = -4;    // type 6: the unit reads status or job
inline constexpr int kReceiveRead = -5;      // type 4: the unit reads from the PC
inline constexpr int kReceiveNoStx = 1;      // no STX within 5 s
inline constexpr int kReceiveLate = 2;       // LEN or body late
inline constexpr int kReceiveBadBcc = 4;
inline constexpr int kReceiveTooMany = 5;    // bytes left over after the telegram
inline constexpr int kReceiveUnknownType = 6;
inline constexpr int kReceiveTerminated = 7;
inline constexpr int kReceiveMalformed = 8;  // LEN too short for type, parameter and sub-number
inline constexpr int kReceiveStopped = 9;    // the connection is to end (change of unit) while waiting for STX

// Status texts.
inline constexpr const char* kTextConnecting = "Verbindungsaufbau ...";
inline constexpr const char* kTextConnected = "Verbindung ok";
inline constexpr const char* kTextReadingAttributes = "Lese Attribute ...";
inline constexpr const char* kTextReadingDataSet = "Lese Datensatz ...";
inline constexpr const char* kTextTextsSent = "Text \xFC" "bertragen !!!";
inline constexpr const char* kTextCommFailure = "Kommunikationsfehler !";
inline constexpr const char* kTextWritingDataSet = "Schreibe Datensatz ...";
inline constexpr const char* kTextNoConnection = "? Verbindung ?";
inline constexpr const char* kTextLate = "Laufzeitfehler";
inline constexpr const char* kTextBadBcc = "BCC - Fehler";
inline constexpr const char* kTextTooMany = "Zuviele Zeichen empfangen";
inline constexpr const char* kTextAborted = "Abbruch durch Bediener";
inline constexpr const char* kTextNoUnit = "Keine Bedienbox erkannt ...";

// A unit that falls silent while a job of the forms runs: the message names the job (with the slot's number).
inline constexpr const char* kTextUnitLost = "Die Tastomatik antwortet nicht mehr !\n\n";
inline constexpr const char* kTextReadBroken = "Der Datensatz %d wurde nicht vollst\xE4ndig gelesen.";
inline constexpr const char* kTextWriteBroken =
    "Der Datensatz %d wurde nicht vollst\xE4ndig geschrieben,\nder Speicherplatz ist jetzt ung\xFCltig.";
inline constexpr const char* kTextProtectBroken = "Der Schreibschutz von Datensatz %d wurde nicht ge\xE4ndert.";
inline constexpr const char* kTextClearBroken = "Der Datensatz %d wurde nicht gel\xF6scht.";
inline constexpr const char* kTextTextsBroken = "Die Anzeigetexte wurden nicht \xFC" "bertragen.";
// The message for a job of the forms left unfinished in state, on slot (0-based).
std::string UnfinishedJobMessage(int state, int slot);

// What the worker reports; each runs on the window thread.
struct SlaveEvents {
  std::function<void(const std::string&)> status;
  std::function<void(int)> progress;
  std::function<void()> list_read;
  std::function<void()> data_set_read;
  std::function<void()> unit_changed;
  std::function<void(const std::string&)> message;  // a message box
};

class TSlaveThread : public TThread {
 public:
  // The largest telegram: STX, LEN 255, BCC.
  static constexpr std::size_t kTelegramMax = 257;

  TSlaveThread(std::shared_ptr<UnitShared> shared, SlaveEvents events);
  // The port (configure before Resume; the worker owns it afterwards).
  handheld::SerialPort& Port() { return port_; }

  // The connection loop itself (public for tests that drive it without the thread).
  void RunConnection();
  int ReceiveTelegram();

  // Replies as they go on the line.
  std::array<std::uint8_t, 43> BuildStatusReply();
  std::array<std::uint8_t, 15> BuildJobReply();
  std::vector<std::uint8_t> BuildDataReply(std::size_t offset, std::size_t n);
  static std::uint16_t SwapWord(std::uint16_t w) { return static_cast<std::uint16_t>((w >> 8) | (w << 8)); }

 protected:
  void Execute() override;

 private:
  // Hands a report to the window thread without waiting for it: the line is served meanwhile.
  void Report(std::function<void()> work);
  void Status(const std::string& text);
  void Progress(int value);
  void FireListRead();
  void FireUnitChanged();
  void Message(const std::string& text);
  // The unit fell silent: a job of the forms that runs is reported as not finished.
  void ReportUnfinishedJob();
  void Send(const std::uint8_t* bytes, std::size_t n);
  void SendOk();
  void SendNotServed();
  void SendUnknownType();
  void HandleConnect();
  void HandleStatusRead();
  void HandleTextTable();
  void HandleRead();
  void HandleWrite();
  void AdvanceOnPoll();  // the (50,34) state table
  void TakeData();       // (1027,0) by state
  bool Stopping();

  std::shared_ptr<UnitShared> shared_;
  SlaveEvents events_;
  handheld::SerialPort port_;
  std::array<std::uint8_t, kTelegramMax> telegram_{};
  std::size_t telegram_length_ = 0;  // STX through BCC
  std::uint16_t parameter_ = 0;
  std::uint16_t sub_ = 0;
  std::array<std::uint8_t, kTelegramMax> data_{};
  std::size_t data_length_ = 0;
  int remembered_state_ = 0;
  int attribute_index_ = 0;
  int led_step_ = 0;
  bool timed_out_once_ = false;
  bool list_announced_ = false;
};

}  // namespace txtool
