// The service command line: which arguments start the mode, and the job or the fault each line gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/service/service_options.h"
#include "app/service/service_texts.h"

namespace {

using app::ServiceTextId;

TEST(ServiceOptions, TableNamesTheFiveOptionsWithTheirDefaults) {
  const auto table = app::ServiceOptionTable();
  ASSERT_EQ(table.size(), 5u);
  const struct {
    const char* name;
    const char* fallback;
  } want[] = {{"/wnd=", "none"}, {"/file=", ""}, {"/serv=", ""}, {"/com=", "1"}, {"/adr=", "0"}};
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].name, want[i].name);
    EXPECT_EQ(table[i].fallback, want[i].fallback);
    EXPECT_EQ(static_cast<std::size_t>(table[i].option), i);
  }
}

TEST(ServiceOptions, AnArgumentThatBeginsWithAnOptionStartsTheMode) {
  const struct {
    std::vector<std::string> args;
    bool service;
  } cases[] = {
      {{}, false},
      {{"/home/user/project.ZPR"}, false},  // an absolute path alone opens the window
      {{"/wnd"}, false},
      {{"/serv"}, false},
      {{"x/file=a"}, false},
      {{"/wnd=hide"}, true},
      {{"/FILE=a.zpr"}, true},
      {{"p.zpr", "/Serv=read"}, true},
      {{"/com="}, true},
      {{"/ADR=3"}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::IsServiceCommandLine(c.args), c.service) << (c.args.empty() ? "" : c.args[0]);
  }
}

struct ParseCase {
  std::vector<std::string> args;
  std::uint8_t code;
  ServiceTextId fault;  // for code 1
  bool report;
  std::uint8_t service;
  std::uint8_t port_index;
  std::uint8_t address;
  const char* path;
};

TEST(ServiceOptions, LinesGiveTheirJobOrTheirFault) {
  using app::kServiceRead;
  using app::kServiceSend;
  using app::kServiceSendSave;
  constexpr auto kNone = ServiceTextId::kCount;
  const ParseCase cases[] = {
      // defaults: no report, COM1, address 0
      {{"/serv=read", "/file=a.zpr"}, 0, kNone, false, kServiceRead, 0, 0, "a.zpr"},
      // any order, any case of the names and words; the path keeps its case, blanks and slashes
      {{"/FILE=/tmp/My Dir/Proj.ZPR", "/WND=Hide", "/SERV=SEND", "/Com=3", "/adr=30"}, 0, kNone, true, kServiceSend,
       2, 30, "/tmp/My Dir/Proj.ZPR"},
      {{"/wnd=full", "/serv=send_save", "/file=x"}, 0, kNone, true, kServiceSendSave, 0, 0, "x"},
      {{"/wnd=norm", "/serv=read", "/file=x", "/com=16", "/adr=007"}, 0, kNone, true, kServiceRead, 15, 7, "x"},
      // a window word other than full, norm and hide reports nothing
      {{"/wnd=none", "/serv=read", "/file=x"}, 0, kNone, false, kServiceRead, 0, 0, "x"},
      {{"/wnd=hidden", "/serv=read", "/file=x"}, 0, kNone, false, kServiceRead, 0, 0, "x"},
      // required options
      {{"/wnd=hide", "/serv=read"}, 1, ServiceTextId::kFileMissing, true, 0, 0, 0, ""},
      {{"/file=x"}, 1, ServiceTextId::kServiceMissing, false, 0, 0, 0, ""},
      {{"/wnd=hide"}, 1, ServiceTextId::kFileMissing, true, 0, 0, 0, ""},
      {{"/wnd=hide", "/serv=send_save", "/file="}, 1, ServiceTextId::kFileMissing, true, 0, 0, 0, ""},  // no path
      // values are compared whole
      {{"/wnd=hide", "/serv=send_sav", "/file=x"}, 1, ServiceTextId::kServiceUnknown, true, 0, 0, 0, ""},
      {{"/serv=sendsave", "/file=x"}, 1, ServiceTextId::kServiceUnknown, false, 0, 0, 0, ""},
      {{"/serv=", "/file=x"}, 1, ServiceTextId::kServiceUnknown, false, 0, 0, 0, ""},
      // a port or an address is never bent into range
      {{"/serv=read", "/file=x", "/com=0"}, 1, ServiceTextId::kPortInvalid, false, 0, 0, 0, ""},
      {{"/serv=read", "/file=x", "/com=17"}, 1, ServiceTextId::kPortInvalid, false, 0, 0, 0, ""},
      {{"/serv=read", "/file=x", "/com=-1"}, 1, ServiceTextId::kPortInvalid, false, 0, 0, 0, ""},
      {{"/serv=read", "/file=x", "/com=1x"}, 1, ServiceTextId::kPortInvalid, false, 0, 0, 0, ""},
      {{"/serv=read", "/file=x", "/com="}, 1, ServiceTextId::kPortInvalid, false, 0, 0, 0, ""},
      {{"/serv=read", "/file=x", "/adr=31"}, 1, ServiceTextId::kAddressInvalid, false, 0, 0, 0, ""},
      {{"/serv=read", "/file=x", "/adr=abc"}, 1, ServiceTextId::kAddressInvalid, false, 0, 0, 0, ""},
      {{"/serv=read", "/file=x", "/adr=99999999999"}, 1, ServiceTextId::kAddressInvalid, false, 0, 0, 0, ""},
      // an unquoted blank in a path leaves a stray argument; an option twice is ambiguous
      {{"/serv=read", "/file=/tmp/My", "Dir/p.zpr"}, 1, ServiceTextId::kArgumentUnknown, false, 0, 0, 0, ""},
      {{"/wnd=hide", "/serv=read", "/file=a", "/file=b"}, 1, ServiceTextId::kOptionTwice, true, 0, 0, 0, ""},
      // a path is never cut
      {{"/serv=read", "/file=" + std::string(256, 'p')}, 0, kNone, false, kServiceRead, 0, 0, nullptr},
      {{"/serv=read", "/file=" + std::string(257, 'p')}, 1, ServiceTextId::kFileTooLong, false, 0, 0, 0, ""},
  };
  for (const ParseCase& c : cases) {
    std::string line;
    for (const auto& a : c.args) line += a.substr(0, 40) + " ";
    SCOPED_TRACE(line);
    app::ServiceRequest request;
    ServiceTextId fault = ServiceTextId::kCount;
    ASSERT_EQ(app::ParseServiceRequest(c.args, &request, &fault), c.code);
    EXPECT_EQ(request.report, c.report);
    if (c.code != 0) {
      EXPECT_EQ(fault, c.fault);
      continue;
    }
    EXPECT_EQ(request.service, c.service);
    EXPECT_EQ(request.port_index, c.port_index);
    EXPECT_EQ(request.address, c.address);
    if (c.path) {
      EXPECT_EQ(request.path, c.path);
    }
  }
}

TEST(ServiceTexts, EveryTextIsGermanOfTheModeAndResultsNameTheirCode) {
  EXPECT_STREQ(app::ServiceText(ServiceTextId::kFileMissing), "Fehler in Befehlszeile: /FILE fehlt!");
  EXPECT_STREQ(app::ServiceText(ServiceTextId::kIdentifyFailed),
               "St\xF6rung bei Umrichter identifizieren! Serieller Fehler? -> Verbindung pr\xFC" "fen! Ergebnis = 2");
  EXPECT_STREQ(app::ServiceText(ServiceTextId::kCount), "");
  for (std::size_t i = 0; i < static_cast<std::size_t>(ServiceTextId::kCount); ++i) {
    const std::string text = app::ServiceText(static_cast<ServiceTextId>(i));
    ASSERT_FALSE(text.empty());
    const bool command_line = text.rfind("Fehler in Befehlszeile: ", 0) == 0;
    const auto at = text.rfind("Ergebnis = ");
    EXPECT_EQ(command_line, at == std::string::npos) << text;
    if (!command_line) {
      EXPECT_EQ(at + 12, text.size()) << text;
    }
  }
}

}  // namespace
