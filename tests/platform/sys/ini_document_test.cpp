#include "platform/sys/ini_document.h"

#include <gtest/gtest.h>

namespace {

using platform::sys::IniDocument;

TEST(IniDocument, LooksUpWithoutCaseAndTrims) {
  const auto doc = IniDocument::Parse(
      "; comment\r\n"
      "[ Interface ]\r\n"
      "  Serial Interface =  COM2  \r\n"
      "quoted=\"  x  \"\r\n"
      "empty=\r\n"
      "no line of its own\r\n"
      "[USS-Protocol]\r\n"
      "baudrate=9600 baud\r\n"
      "[INTERFACE]\r\n"
      "late=1\r\n");
  EXPECT_EQ(doc.Get("interface", "serial interface"), "COM2");
  EXPECT_EQ(doc.Get("INTERFACE", "SERIAL INTERFACE"), "COM2");
  EXPECT_EQ(doc.Get("interface", "quoted"), "  x  ");
  EXPECT_EQ(doc.Get("interface", "empty"), "");
  EXPECT_EQ(doc.Get("interface", "late"), "1");  // a repeated section is searched too
  EXPECT_EQ(doc.Get("interface", "baudrate"), std::nullopt);
  EXPECT_EQ(doc.Get("uss-protocol", "baudrate"), "9600 baud");
  EXPECT_EQ(doc.Get("missing", "x"), std::nullopt);
  EXPECT_EQ(doc.SectionNames(), (std::vector<std::string>{"Interface", "USS-Protocol"}));
  EXPECT_EQ(doc.KeyNames("interface"), (std::vector<std::string>{"Serial Interface", "quoted", "empty", "late"}));
}

TEST(IniDocument, Windows1252LettersMatchWithoutCase) {
  // "\xC4nderung" is A-umlaut + "nderung"; "\xE4" its lower case; "\xB5s" is micro + s (no case).
  const auto doc = IniDocument::Parse("[Quellox]\ntime between bits=3 * 5\xB5s\n\xC4nderung=1\n");
  EXPECT_EQ(doc.Get("QUELLOX", "\xE4nderung"), "1");
  EXPECT_EQ(doc.Get("quellox", "TIME BETWEEN BITS"), "3 * 5\xB5s");
  EXPECT_FALSE(platform::sys::IniNamesEqual("\xD7", "\xF7"));  // multiplication and division signs stay apart
}

TEST(IniDocument, EditsKeepEverythingElse) {
  const std::string text =
      "; settings\r\n"
      "[interface]\r\n"
      "serial interface=COM1\r\n"
      "\r\n"
      "[Colors]\r\n"
      "GrayText=8421504\r\n";
  auto doc = IniDocument::Parse(text);
  EXPECT_EQ(doc.Serialize(), text);  // unchanged text comes back byte for byte

  doc.Set("INTERFACE", "Serial Interface", "COM2");  // replaced in place, the file's spelling of the key changes
  doc.Set("interface", "max. timout time", "100 ms");  // added after the last entry, before the blank line
  doc.Set("lastfiles", "file1", "/p/a.ZPR");          // new section at the end
  EXPECT_EQ(doc.Serialize(),
            "; settings\r\n"
            "[interface]\r\n"
            "Serial Interface=COM2\r\n"
            "max. timout time=100 ms\r\n"
            "\r\n"
            "[Colors]\r\n"
            "GrayText=8421504\r\n"
            "[lastfiles]\r\n"
            "file1=/p/a.ZPR\r\n");

  EXPECT_TRUE(doc.RemoveKey("interface", "serial interface"));
  EXPECT_FALSE(doc.RemoveKey("interface", "serial interface"));
  EXPECT_TRUE(doc.RemoveSection("colors"));
  EXPECT_FALSE(doc.HasSection("Colors"));
  EXPECT_EQ(doc.Serialize(),
            "; settings\r\n"
            "[interface]\r\n"
            "max. timout time=100 ms\r\n"
            "\r\n"
            "[lastfiles]\r\n"
            "file1=/p/a.ZPR\r\n");
}

TEST(IniDocument, LineEndsAreKeptAndNoEditAddsLines) {
  auto lf = IniDocument::Parse("[a]\nk=1");  // LF file without a final line end
  lf.Set("a", "k", "2");
  EXPECT_EQ(lf.Serialize(), "[a]\nk=2");
  lf.Set("b", "k\r\nx", "v\nw\r");
  EXPECT_EQ(lf.Serialize(), "[a]\nk=2\n[b]\nk  x=v w \n");
  EXPECT_EQ(IniDocument{}.Serialize(), "");
  auto fresh = IniDocument{};
  fresh.Set("s", "k", "v");
  EXPECT_EQ(fresh.Serialize(), "[s]\r\nk=v\r\n");
}

}  // namespace
