#include "platform/gdi/font_engine.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <sstream>
#include <tuple>
#include <vector>

#include "platform/gdi/cp1252.h"

namespace platform::gdi {

// One font file: its FreeType face and the Cairo face over it; both live for the whole process.
struct FontFile {
  FT_Face face = nullptr;
  cairo_font_face_t* cairo_face = nullptr;
};

// A character's glyph and advance are looked up when it is first measured or drawn: hinting a glyph to know its
// advance is most of what a font costs, and most fonts meet few of the 256 characters.
struct FontInstance::Impl {
  const FontFile* file = nullptr;
  cairo_scaled_font_t* scaled = nullptr;
  std::mutex mu;
  std::array<unsigned long, 256> glyphs{};
  std::array<std::atomic<int>, 256> advances{};  // -1 until looked up

  Impl() {
    for (auto& a : advances) a.store(-1, std::memory_order_relaxed);
  }
  ~Impl() {
    if (scaled != nullptr) cairo_scaled_font_destroy(scaled);
  }
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  int Advance(unsigned char c) {
    const int known = advances[c].load(std::memory_order_acquire);
    if (known >= 0) return known;
    std::lock_guard<std::mutex> lock(mu);
    if (const int again = advances[c].load(std::memory_order_relaxed); again >= 0) return again;
    const char32_t u = c < 0x20 ? U' ' : Cp1252ToUnicode(c);
    glyphs[c] = FT_Get_Char_Index(file->face, u);
    cairo_glyph_t g{glyphs[c], 0, 0};
    cairo_text_extents_t ext;
    cairo_scaled_font_glyph_extents(scaled, &g, 1, &ext);
    const int advance = static_cast<int>(std::lround(ext.x_advance));
    advances[c].store(advance, std::memory_order_release);
    return advance;
  }
  unsigned long Glyph(unsigned char c) {
    Advance(c);
    return glyphs[c];  // written before the advance was published
  }
};

namespace {

constexpr const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";

FT_Library Library() {
  static FT_Library lib = [] {
    FT_Library l = nullptr;
    if (FT_Init_FreeType(&l) != 0) return static_cast<FT_Library>(nullptr);
    return l;
  }();
  return lib;
}

const FontFile* LoadFile(const std::string& path) {
  static std::map<std::string, FontFile> files;
  auto it = files.find(path);
  if (it != files.end()) return it->second.face ? &it->second : nullptr;
  FontFile f;
  if (Library() && FT_New_Face(Library(), path.c_str(), 0, &f.face) == 0) {
    f.cairo_face = cairo_ft_font_face_create_for_ft_face(f.face, 0);
  } else {
    f.face = nullptr;
  }
  auto [pos, _] = files.emplace(path, f);
  return pos->second.face ? &pos->second : nullptr;
}

bool WantsFixed(const LOGFONTA& lf) {
  const int pitch = lf.lfPitchAndFamily & 0x03;
  const int family = lf.lfPitchAndFamily & 0xF0;
  if (pitch == FIXED_PITCH) return true;
  if (pitch == VARIABLE_PITCH) return false;
  if (family == FF_MODERN) return true;
  std::string face(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  std::transform(face.begin(), face.end(), face.begin(), [](unsigned char c) { return std::tolower(c); });
  return face.find("courier") != std::string::npos || face.find("mono") != std::string::npos ||
         face.find("fixed") != std::string::npos || face.find("terminal") != std::string::npos;
}

cairo_font_options_t* Options() {
  static cairo_font_options_t* o = [] {
    cairo_font_options_t* opt = cairo_font_options_create();
    cairo_font_options_set_antialias(opt, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_metrics(opt, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_hint_style(opt, CAIRO_HINT_STYLE_DEFAULT);
    return opt;
  }();
  return o;
}

// What tells realised fonts apart: height, escapement, bold, italic, underline, strike-out, fixed pitch.
using FontKey = std::tuple<LONG, LONG, bool, bool, bool, bool, bool>;

FontKey Key(const LOGFONTA& lf) {
  return {lf.lfHeight, lf.lfEscapement, lf.lfWeight >= FW_SEMIBOLD, lf.lfItalic != 0, lf.lfUnderline != 0,
          lf.lfStrikeOut != 0, WantsFixed(lf)};
}

}  // namespace

std::string FontFilePath(bool fixed, bool bold, bool italic) {
  std::string name = fixed ? "DejaVuSansMono" : "DejaVuSans";
  if (bold && italic) name += "-BoldOblique";
  else if (bold) name += "-Bold";
  else if (italic) name += "-Oblique";
  return std::string(kFontDir) + name + ".ttf";
}

FontInstance::FontInstance(const LOGFONTA& lf, std::shared_ptr<Impl> impl) : logfont_(lf), impl_(std::move(impl)) {
  fixed_ = WantsFixed(lf);
  const bool bold = lf.lfWeight >= FW_SEMIBOLD;
  // Cell height, em size and ascent in whole pixels.
  double asc_units = 0.928, desc_units = 0.236;  // DejaVu's proportions, used without a font file
  const FontFile* file = impl_->file;
  if (file) {
    const double upm = file->face->units_per_EM;
    asc_units = file->face->ascender / upm;
    desc_units = -file->face->descender / upm;
  }
  const double cell_per_em = asc_units + desc_units;
  int cell;
  if (lf.lfHeight > 0) {
    cell = lf.lfHeight;
    em_ = cell / cell_per_em;
  } else if (lf.lfHeight < 0) {
    em_ = -static_cast<double>(lf.lfHeight);
    cell = static_cast<int>(std::lround(em_ * cell_per_em));
  } else {
    cell = 16;
    em_ = cell / cell_per_em;
  }
  em_ = std::max(em_, 1.0);
  cell = std::max(cell, 1);
  const int ascent = std::min(cell, static_cast<int>(std::lround(cell * asc_units / cell_per_em)));
  metrics_.tmHeight = cell;
  metrics_.tmAscent = ascent;
  metrics_.tmDescent = cell - ascent;
  metrics_.tmInternalLeading = std::max(0, cell - static_cast<int>(std::lround(em_)));
  metrics_.tmExternalLeading = 0;
  metrics_.tmWeight = bold ? FW_BOLD : FW_NORMAL;
  metrics_.tmDigitizedAspectX = 96;
  metrics_.tmDigitizedAspectY = 96;
  metrics_.tmFirstChar = 0x20;
  metrics_.tmLastChar = 0xFF;
  metrics_.tmDefaultChar = '?';
  metrics_.tmBreakChar = ' ';
  metrics_.tmItalic = lf.lfItalic ? 1 : 0;
  metrics_.tmUnderlined = lf.lfUnderline ? 1 : 0;
  metrics_.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
  metrics_.tmPitchAndFamily = static_cast<BYTE>((fixed_ ? 0 : 1) | (fixed_ ? FF_MODERN : FF_SWISS) | 0x06);
  metrics_.tmCharSet = ANSI_CHARSET;

  if (file) {
    cairo_matrix_t font_matrix, ctm;
    cairo_matrix_init_scale(&font_matrix, em_, em_);
    cairo_matrix_init_identity(&ctm);
    impl_->scaled = cairo_scaled_font_create(file->cairo_face, &font_matrix, &ctm, Options());
    metrics_.tmAveCharWidth = Advance('x');
    // The widest advance of the font file, in whole pixels at this size.
    metrics_.tmMaxCharWidth = std::max<LONG>(
        metrics_.tmAveCharWidth,
        std::lround(file->face->max_advance_width * em_ / static_cast<double>(file->face->units_per_EM)));
  } else {
    fallback_advance_ = std::max(1, cell / 2);
    metrics_.tmAveCharWidth = fallback_advance_;
    metrics_.tmMaxCharWidth = fallback_advance_;
  }
  metrics_.tmOverhang = 0;
}

int FontInstance::Advance(unsigned char c) const {
  return impl_->file != nullptr ? impl_->Advance(c) : fallback_advance_;
}

int FontInstance::Width(std::string_view text) const {
  int w = 0;
  for (const char c : text) w += Advance(static_cast<unsigned char>(c));
  return w;
}

void FontInstance::Draw(cairo_t* cr, double x, double y, std::string_view text, double r, double g,
                        double b) const {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  if (logfont_.lfEscapement != 0) cairo_rotate(cr, -logfont_.lfEscapement * 3.14159265358979 / 1800.0);
  cairo_set_source_rgb(cr, r, g, b);
  const double baseline = metrics_.tmAscent;
  if (impl_->file) {
    cairo_set_font_face(cr, impl_->file->cairo_face);
    cairo_set_font_size(cr, em_);
    cairo_set_font_options(cr, Options());
    std::vector<cairo_glyph_t> glyphs;
    glyphs.reserve(text.size());
    double pen = 0;
    for (const char c : text) {
      const auto uc = static_cast<unsigned char>(c);
      glyphs.push_back({impl_->Glyph(uc), pen, baseline});
      pen += impl_->Advance(uc);
    }
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
  }
  const int width = Width(text);
  const double line = std::max(1.0, std::floor(metrics_.tmHeight / 14.0));
  if (logfont_.lfUnderline) {
    cairo_rectangle(cr, 0, baseline + 1, width, line);
    cairo_fill(cr);
  }
  if (logfont_.lfStrikeOut) {
    cairo_rectangle(cr, 0, std::floor(baseline * 0.65), width, line);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

std::string FontInstance::Describe() const {
  std::ostringstream s;
  s << "h=" << metrics_.tmHeight << " w=" << metrics_.tmWeight << (fixed_ ? " fixed" : " variable");
  if (logfont_.lfEscapement != 0) s << " esc=" << logfont_.lfEscapement;
  if (logfont_.lfItalic) s << " italic";
  return s.str();
}

std::shared_ptr<const FontInstance> RealiseFont(const LOGFONTA& lf) {
  static std::mutex mu;
  static std::map<FontKey, std::shared_ptr<const FontInstance>> cache;
  // Text is drawn in runs of one font: the font asked for last, by its very bytes, is found without a lookup.
  static LOGFONTA last_asked{};
  static std::shared_ptr<const FontInstance> last;
  std::lock_guard<std::mutex> lock(mu);
  if (last && std::memcmp(&last_asked, &lf, sizeof lf) == 0) return last;
  const FontKey key = Key(lf);
  auto it = cache.find(key);
  if (it == cache.end()) {
    auto impl = std::make_shared<FontInstance::Impl>();
    impl->file = LoadFile(FontFilePath(WantsFixed(lf), lf.lfWeight >= FW_SEMIBOLD, lf.lfItalic != 0));
    it = cache.emplace(key, std::make_shared<const FontInstance>(lf, impl)).first;
  }
  last_asked = lf;
  last = it->second;
  return last;
}

}  // namespace platform::gdi
