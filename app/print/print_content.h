// The printed parameter documentation: a line buffer of 73 columns, sections built from the menu lists, a page
// header and page breaks of its own; lines go to the print job or to the text file "ZPRPRINT.TXT".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace app {

inline constexpr std::uint8_t kPrintOk = 0;
inline constexpr std::uint8_t kPrintFailed = 1;

inline constexpr int kPrintLinesPerPage = 65;
inline constexpr std::size_t kPrintLineWidth = 73;
inline constexpr std::size_t kPrintRightColumn = 40;
inline constexpr char kPrintTextFileName[] = "ZPRPRINT.TXT";
inline constexpr char kPrintTitleLine[] = "Parameter documentation";
inline constexpr char kPrintProgramName[] = "ZPR-Tool";
inline constexpr char kPrintProgramVersion[] = "V 4.6 ";

// Sections of PrintSection.
inline constexpr std::uint8_t kSectionHeader = 0;
inline constexpr std::uint8_t kSectionProjectTarget = 1;
inline constexpr std::uint8_t kSectionDisplayValues = 2;
inline constexpr std::uint8_t kSectionComments = 3;
inline constexpr std::uint8_t kSectionParameterSet1 = 6;
inline constexpr std::uint8_t kSectionParameterSet2 = 7;
inline constexpr std::uint8_t kSectionFaultMemory = 8;
inline constexpr std::uint8_t kSectionFaultCounter = 9;
inline constexpr std::uint8_t kSectionServiceInfo = 13;
inline constexpr std::uint8_t kSectionMenuSkip = 14;
inline constexpr std::uint8_t kSectionPositioning = 15;
inline constexpr std::uint8_t kLastSection = 15;

// Where the printer path's lines go: the print job. Each call of Line is one printed row (or a form feed).
class PrintLineOutput {
 public:
  virtual ~PrintLineOutput() = default;
  virtual bool StartJob() = 0;  // false: the job could not start
  virtual void Line(std::string_view text) = 0;
  // complete false: the printout failed, discard what was output. False when a complete job could not be
  // output (a cancel by the user is no failure).
  virtual bool EndJob(bool complete) = 0;
};
// The printer path's output: the print job (PrintJobLineOutput) unless another is set; null restores it.
void SetPrintLineOutput(PrintLineOutput* output);
PrintLineOutput* GetPrintLineOutput();
PrintLineOutput& PrintJobLineOutput();

// The text file's path: "ZPRPRINT.TXT" in the output folder (beside the active project file) unless set.
void SetPrintTextPath(const std::string& path);
std::string GetPrintTextPath();

// Opens the documentation of data set `set`: the output (record 305 element 10 of data set 0: 1 text file,
// else printer) and the option "only values that differ from the default" (record 305 element 153 of data set 0)
// are read; the page and line counts start at 0; the printer path starts the job. 0 or 1.
std::uint8_t OpenPrintBuffer(std::uint8_t set);
// Ends a complete printout: the text file is written whole (a temporary file renamed over it), or the print
// job ends. 0, or 1 when the file cannot be written.
std::uint8_t ClosePrintBuffer();
// Ends a failed printout: nothing is written, the print job is ended incomplete.
void DiscardPrintBuffer();
bool PrintBufferOpen();

std::uint8_t PrintSection(std::uint8_t section, std::uint8_t set);
// Sends the buffer's text (line ends "\n\r") to the output; an empty buffer sends nothing. 0 or 1.
std::uint8_t AddPrintLine();
// Puts text into the line buffer (replacing it), for AddPrintLine.
void SetPrintBufferText(std::string_view text);
std::uint8_t PrintPageBreak(bool forced, std::uint8_t set);
std::uint8_t PrintPageHeader(std::uint8_t set);
// The file line: "proj-file: " or "rdocu-file: ", the name, its text element and the identification texts;
// at most size - 1 characters (an empty text when even the beginning does not fit).
std::string PrintFileNames(std::size_t size, std::uint8_t set);
std::uint8_t PrintServiceInfo(std::uint8_t set);
// The value log's file head: the title line padded with blanks to column 38, "ZPR-Tool" padded to column 60,
// "V 4.6 "; then the rows of menu list `list` of data set `set` laid out as in the printout (every value), and a
// rule of 70 '-'. One string a line, without line ends; empty when the list does not exist.
std::vector<std::string> PrintTitleBlock(std::uint8_t set, std::uint8_t list);
std::uint8_t PrintMenuSkipColumns(char a, char b, char c, std::uint8_t set);
std::uint8_t PrintMenuSkip(std::uint8_t set);
std::uint8_t PrintJumpTargets(std::uint8_t set);

// Page and line counts of the open printout (tests and the print job's header).
int PrintPageCount();
int PrintLineCount();

}  // namespace app
