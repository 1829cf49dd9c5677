// Fonts realised from a LOGFONT: one of the DejaVu files (Sans or Sans Mono; bold and oblique variants) loaded
// by path through FreeType, metrics once per font, each character's whole-pixel advance when it is first measured
// or drawn, glyphs drawn by Cairo.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/gdi/objects.h"
#include "platform/gdi/text.h"

struct _cairo;

namespace platform::gdi {

class FontInstance {
 public:
  const LOGFONTA& logfont() const { return logfont_; }
  const TEXTMETRICA& metrics() const { return metrics_; }
  double em() const { return em_; }
  bool fixed_pitch() const { return fixed_; }
  int Advance(unsigned char c) const;
  int Width(std::string_view text) const;
  // Draws text with its cell's top-left corner at (x, y) in the user space of cr, rotated by the escapement
  // about that point; colour components 0..1.
  void Draw(_cairo* cr, double x, double y, std::string_view text, double r, double g, double b) const;
  std::string Describe() const;  // "h=16 w=700 sans" for logs

  struct Impl;
  FontInstance(const LOGFONTA& lf, std::shared_ptr<Impl> impl);

 private:
  LOGFONTA logfont_;
  std::shared_ptr<Impl> impl_;
  TEXTMETRICA metrics_{};
  double em_ = 0;
  bool fixed_ = false;
  int fallback_advance_ = 1;  // every character's advance without a font file
};

// The realised font for lf (cached); never null: a missing font file yields a font of fixed advances.
std::shared_ptr<const FontInstance> RealiseFont(const LOGFONTA& lf);

// Path of the font file used for a fixed-pitch or variable-pitch, bold, italic font.
std::string FontFilePath(bool fixed, bool bold, bool italic);

}  // namespace platform::gdi
