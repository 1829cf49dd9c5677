// The BMP reader and painter. A file is taken whole into memory; every offset and size it names is checked
// against the bytes that are there before anything is read at it, so a damaged or hostile file gives a line in
// the diagnostic text and never a read beyond the image.
#include "app/shell/logo_bitmap.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/sys/atomic_file.h"
#include "platform/sys/user_name.h"

namespace app {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;
constexpr std::int64_t kMaxDimension = 0x8000;
constexpr std::size_t kTooSmallThreshold = 18;
constexpr char kTooSmall[] = "Text zu klein!";

struct LogoState {
  std::vector<std::uint8_t> image;       // the whole file
  std::vector<std::uint32_t> info;       // header and palette, aligned for the drawing call
  std::size_t pixels = 0;                // offset of the pixels in the image
  int width = 0;
  int height = 0;
  std::uint32_t header_size = 0;
  int paint_x = 0;
  int paint_y = 0;
  int paint_result = 0;
  DWORD paint_error = 0;
  std::string log;
};

LogoState& State() {
  static LogoState s;
  return s;
}

// Appends a formatted line to the diagnostic text, cut at its capacity.
[[gnu::format(printf, 1, 2)]] void Log(const char* format, ...) {
  std::string& log = State().log;
  if (log.size() + 1 >= kBitmapLogCapacity) return;
  char line[kBitmapLogCapacity];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  log.append(line, std::min(std::strlen(line), kBitmapLogCapacity - 1 - log.size()));
}

std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::int32_t S32(const std::vector<std::uint8_t>& b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

// Only a regular file of bounded size is read (a FIFO or device named as a logo never blocks the paint).
bool ReadWholeFile(const char* name, std::vector<std::uint8_t>* out) {
  std::error_code error;
  const auto content = platform::sys::ReadWholeFile(name, &error);
  if (!content) {
    if (error == std::errc::file_too_large) {
      Log("File opened.\n");
      Log("File too large: HighSize = %d\n", 0);
    } else {
      Log("CreateFile failed.\n");
    }
    return false;
  }
  Log("File opened.\n");
  out->assign(content->begin(), content->end());
  Log("ReadFile-Success = %d. %d Bytes readed\n", 1, static_cast<int>(out->size()));
  return true;
}

// What the headers say, once they are known to lie inside the file.
struct Header {
  std::uint32_t size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // signed as stored
  int bits = 0;
  std::uint32_t compression = kRgb;
  std::uint64_t palette_bytes = 0;
};

bool ReadHeader(const std::vector<std::uint8_t>& b, Header* h) {
  const std::uint64_t file = b.size();
  h->size = U32(b, kFileHeaderSize);
  if (h->size != kCoreHeaderSize && h->size < kInfoHeaderSize) {
    Log("SizeOfHeader=%u not readable\n", h->size);
    return false;
  }
  if (kFileHeaderSize + std::uint64_t{h->size} > file) {
    Log("SizeOfHeader=%u beyond the end of the file\n", h->size);
    return false;
  }
  if (h->size == kCoreHeaderSize) {
    h->width = U16(b, 18);
    h->height = U16(b, 20);
    h->bits = U16(b, 24);
    h->palette_bytes = h->bits <= 8 ? (std::uint64_t{1} << h->bits) * 3 : 0;
    return true;
  }
  h->width = S32(b, 18);
  h->height = S32(b, 22);
  h->bits = U16(b, 28);
  h->compression = U32(b, 30);
  const std::uint32_t used = U32(b, 46);
  if (h->bits <= 8) h->palette_bytes = std::uint64_t{used != 0 ? used : (1u << h->bits)} * 4;
  if (h->compression == kBitFields && h->size == kInfoHeaderSize) h->palette_bytes = 12;
  return true;
}

// The checks the drawing relies on: a format it can draw, and headers, palette and pixels inside the file.
bool CheckImage(const std::vector<std::uint8_t>& b, const Header& h, std::uint32_t off_bits) {
  const std::uint64_t file = b.size();
  const bool bits_ok = h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 || h.bits == 32;
  const bool compression_ok = h.compression == kRgb || (h.compression == kBitFields && (h.bits == 16 || h.bits == 32));
  if (!bits_ok || !compression_ok) {
    Log("Unsupported format: BitCount=%d, Compression=%u\n", h.bits, h.compression);
    return false;
  }
  const std::int64_t rows = h.height < 0 ? -h.height : h.height;
  if (h.width <= 0 || rows == 0 || h.width > kMaxDimension || rows > kMaxDimension) {
    Log("Unsupported size: Width=%lld, Height=%lld\n", static_cast<long long>(h.width),
        static_cast<long long>(h.height));
    return false;
  }
  if (kFileHeaderSize + std::uint64_t{h.size} + h.palette_bytes > file) {
    Log("Color table beyond the end of the file\n");
    return false;
  }
  const std::uint64_t stride = ((static_cast<std::uint64_t>(h.width) * h.bits + 31) / 32) * 4;
  const std::uint64_t need = stride * static_cast<std::uint64_t>(rows);
  if (off_bits < kFileHeaderSize + std::uint64_t{h.size} || off_bits > file || file - off_bits < need) {
    Log("Pixel data beyond the end of the file: bfOffBits=%u, %llu Bytes needed\n", off_bits,
        static_cast<unsigned long long>(need));
    return false;
  }
  return true;
}

// Steps of both loaders: read, check the file header, report it. The image is kept only when this succeeds.
bool LoadAndCheckFileHeader(const char* name) {
  LogoState& s = State();
  std::vector<std::uint8_t> image;
  if (!ReadWholeFile(name, &image)) return false;
  if (image.size() < kFileHeaderSize + 4 || image[0] != 'B' || image[1] != 'M' || U32(image, 2) != image.size()) {
    return false;
  }
  Log("BitmapFileheader: bfType=0x%X; bfSize=0x%X; bfOffBits=%u\n", U16(image, 0), U32(image, 2), U32(image, 10));
  s.image = std::move(image);
  return true;
}

void KeepImage(const Header& h) {
  LogoState& s = State();
  const std::size_t info_bytes = static_cast<std::size_t>(h.size + h.palette_bytes);
  s.info.assign((std::max(info_bytes, sizeof(BITMAPINFO)) + 3) / 4, 0);
  std::memcpy(s.info.data(), s.image.data() + kFileHeaderSize, info_bytes);
  s.pixels = U32(s.image, 10);
  s.header_size = h.size;
}

int Fail() {
  LogoState& s = State();
  s.image.clear();
  s.info.clear();
  return 1;
}

// "Text zu klein!" in place of a report that does not fit, when there is room for it.
void CopyReport(char* text, std::size_t capacity) {
  const std::string& log = State().log;
  if (text == nullptr) return;
  if (log.size() < capacity) {
    std::memcpy(text, log.c_str(), log.size() + 1);
  } else if (capacity > kTooSmallThreshold) {
    std::memcpy(text, kTooSmall, sizeof kTooSmall);
  }
}

int FloorHalf(int value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); }

}  // namespace

void BitmapReset() {
  LogoState& s = State();
  s.image.clear();
  s.info.clear();
  s.pixels = 0;
  s.width = 0;
  s.height = 0;
  s.header_size = 0;
  s.log.clear();
}

void BitmapFree() {
  State().image = {};
  BitmapReset();
}

int BitmapGetLog(char* destination, std::size_t capacity) {
  const std::string& log = State().log;
  if (destination == nullptr || log.size() >= capacity) return 1;
  std::memcpy(destination, log.c_str(), log.size() + 1);
  return 0;
}

const std::string& BitmapLog() { return State().log; }

int BitmapLoadFile(const char* name) {
  LogoState& s = State();
  s.log.clear();
  if (!LoadAndCheckFileHeader(name)) return Fail();
  Header h;
  if (!ReadHeader(s.image, &h) || !CheckImage(s.image, h, U32(s.image, 10))) return Fail();
  KeepImage(h);
  s.width = static_cast<int>(h.width);
  s.height = static_cast<int>(h.height < 0 ? -h.height : h.height);
  return 0;
}

int BitmapPaint(HDC dc, int left, int top, int right, int bottom, int centre) {
  LogoState& s = State();
  if (s.image.empty()) return 1;
  s.paint_x = centre == 1 ? left + FloorHalf(right - left) - FloorHalf(s.width) : 0;
  s.paint_y = centre == 1 ? top + FloorHalf(bottom - top) - FloorHalf(s.height) : 0;
  s.paint_result = SetDIBitsToDevice(dc, s.paint_x, s.paint_y, static_cast<DWORD>(s.width),
                                     static_cast<DWORD>(s.height), 0, 0, 0, static_cast<UINT>(s.height),
                                     s.image.data() + s.pixels, reinterpret_cast<const BITMAPINFO*>(s.info.data()),
                                     DIB_RGB_COLORS);
  if (s.paint_result == 0) {
    s.paint_error = GetLastError();
    Log("SetDIBitsToDevice() Error-No. %d\n", static_cast<int>(s.paint_error));
    return 1;
  }
  return 0;
}

int BitmapParseHeader(const char* name, char* text, std::size_t capacity) {
  LogoState& s = State();
  s.log.clear();
  if (!LoadAndCheckFileHeader(name)) {
    CopyReport(text, capacity);
    return Fail();
  }
  const std::uint32_t size = U32(s.image, kFileHeaderSize);
  if (size == kCoreHeaderSize) {
    Log("SizeOfHeader=BITMAPCOREHEADER\n");
  } else if (size == kInfoHeaderSize) {
    Log("SizeOfHeader=BITMAPINFOHEADER\n");
  } else {
    Log("SizeOfHeader=unerwartet %d gross\n", static_cast<int>(size));
  }
  Header h;
  if (!ReadHeader(s.image, &h)) {
    CopyReport(text, capacity);
    return Fail();
  }
  const std::vector<std::uint8_t>& b = s.image;
  if (size == kCoreHeaderSize) {
    Log("Size=%d, ", static_cast<int>(size));
    Log("Width=%d, ", U16(b, 18));
    Log("Height=%d, ", U16(b, 20));
    Log("Planes=%d, ", U16(b, 22));
    Log("BitCount=%d\n", U16(b, 24));
  } else {
    Log("Width=%d, ", S32(b, 18));
    Log("Height=%d, ", S32(b, 22));
    Log("BitCount=%d, ", U16(b, 28));
    Log("Compression=%d, ", S32(b, 30));
    Log("SizeImage=%d, ", S32(b, 34));
    Log("X-Pixels Per Meter=%d, ", S32(b, 38));
    Log("Y-Pixels Per Meter=%d, ", S32(b, 42));
    Log("Colors used=%d, ", S32(b, 46));
    Log("Colors importand=%d\n", S32(b, 50));
  }
  const bool ok = CheckImage(b, h, U32(b, 10));
  if (ok) KeepImage(h);
  CopyReport(text, capacity);
  return ok ? 0 : Fail();
}

int BitmapStub() { return 1; }
int BitmapWidth() { return State().width; }
int BitmapHeight() { return State().height; }

}  // namespace app
