// The image record's fixed byte layout (error report block, crash-state block) and the
// globals of the open images beside the records.
#include <cstring>

#include "documents/documents.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

std::vector<ImageTextPair> ImageTexts(11);
std::string ImagePath;
int32_t Lastimage = 0;
uint8_t colororder = 0, areacolororder = 0;

namespace {

// Little-endian field writer and reader over a byte block.
struct Packer {
  uint8_t* p;
  void b(uint8_t v) { *p++ = v; }
  void w(int16_t v) {
    const uint16_t u = uint16_t(v);
    b(uint8_t(u));
    b(uint8_t(u >> 8));
  }
  void l(int32_t v) {
    const uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i) b(uint8_t(u >> (8 * i)));
  }
  void f(float v) {
    int32_t u;
    std::memcpy(&u, &v, 4);
    l(u);
  }
};

struct Unpacker {
  const uint8_t* p;
  uint8_t b() { return *p++; }
  int16_t w() {
    const uint16_t lo = b(), hi = b();
    return int16_t(lo | (hi << 8));
  }
  int32_t l() {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= uint32_t(b()) << (8 * i);
    return int32_t(u);
  }
  float f() {
    const int32_t u = l();
    float v;
    std::memcpy(&v, &u, 4);
    return v;
  }
};

// The long fields from RotDa to Colororder, in record order.
template <class R, class F>
void ForEachTailLong(R& r, F f) {
  int32_t* const fields[26] = {
      &r.RotDa, &r.RotLang, &r.Rothoch, &r.GruenDa, &r.GruenLang, &r.Gruenhoch, &r.BlauDa,
      &r.BlauLang, &r.Blauhoch, &r.RotDa_Marked, &r.RotLang_Marked, &r.Rothoch_Marked,
      &r.GruenDa_Marked, &r.GruenLang_Marked, &r.Gruenhoch_Marked, &r.BlauDa_Marked,
      &r.BlauLang_Marked, &r.Blauhoch_Marked, &r.Operation_State, &r.Kontraststate, &r.Hellstate,
      &r.RotState, &r.Gruenstate, &r.Blaustate, &r.Tolleranz, &r.Colororder};
  for (int32_t* v : fields) f(*v);
}

// Byte offsets of the two places where the crash state inserts the texts.
constexpr size_t kSpareTextAt = 20;     // after colornumber
constexpr size_t kDisplayNameAt = 130;  // after areaorder

}  // namespace

void PackImageRecord(const ImageRecord& r, uint8_t* out) {
  Packer p{out};
  p.l(r.laenge);
  p.l(r.hoehe);
  p.l(r.verty);
  p.l(r.horzx);
  p.l(r.colornumber);
  p.b(r.KeyBoardModus);
  p.b(r.KeyBoardModus_Hold);
  p.b(r.Keydrawmode);
  p.l(r.KeyBoardX);
  p.l(r.KeyBoardY);
  p.l(r.GadgetState);
  p.b(r.DebugState);
  p.w(r.Splitstate);
  p.l(r.Fillmode);
  p.l(r.FormMode);
  p.l(r.Spraynumber);
  p.l(r.WindowState);
  for (int32_t v : r.Effectgadgetstates) p.l(v);
  p.f(r.PixSize);
  p.l(r.AreaState);
  p.l(r.AreaStartX);
  p.l(r.AreaStartY);
  p.l(r.AreaLaenge);
  p.l(r.AreaHoehe);
  p.l(r.AreaVert);
  p.l(r.AreaHorz);
  p.l(r.areaorder);
  p.b(r.Extension);
  p.b(uint8_t(r.compression));
  p.l(r.UndoState);
  p.l(r.Redo);
  for (uint8_t v : r.fgcolor) p.b(v);
  for (uint8_t v : r.bgcolor) p.b(v);
  // Stored red, green, blue, spare although the record holds blue, green, red, spare.
  for (const auto& c : r.Oldcolors) {
    p.b(c[2]);
    p.b(c[1]);
    p.b(c[0]);
    p.b(c[3]);
  }
  ForEachTailLong(const_cast<ImageRecord&>(r), [&](int32_t& v) { p.l(v); });
}

void UnpackImageRecord(const uint8_t* in, ImageRecord& r) {
  Unpacker u{in};
  r.laenge = u.l();
  r.hoehe = u.l();
  r.verty = u.l();
  r.horzx = u.l();
  r.colornumber = u.l();
  r.KeyBoardModus = u.b();
  r.KeyBoardModus_Hold = u.b();
  r.Keydrawmode = u.b();
  r.KeyBoardX = u.l();
  r.KeyBoardY = u.l();
  r.GadgetState = u.l();
  r.DebugState = u.b();
  r.Splitstate = u.w();
  r.Fillmode = u.l();
  r.FormMode = u.l();
  r.Spraynumber = u.l();
  r.WindowState = u.l();
  for (int32_t& v : r.Effectgadgetstates) v = u.l();
  r.PixSize = u.f();
  r.AreaState = u.l();
  r.AreaStartX = u.l();
  r.AreaStartY = u.l();
  r.AreaLaenge = u.l();
  r.AreaHoehe = u.l();
  r.AreaVert = u.l();
  r.AreaHorz = u.l();
  r.areaorder = u.l();
  r.Extension = u.b();
  r.compression = int8_t(u.b());
  r.UndoState = u.l();
  r.Redo = u.l();
  for (uint8_t& v : r.fgcolor) v = u.b();
  for (uint8_t& v : r.bgcolor) v = u.b();
  for (auto& c : r.Oldcolors) {
    c[2] = u.b();
    c[1] = u.b();
    c[0] = u.b();
    c[3] = u.b();
  }
  ForEachTailLong(r, [&](int32_t& v) { v = u.l(); });
}

bool WriteImageRecordBlock(int file, const ImageRecord& r) {
  uint8_t block[ImageRecordBlockSize];
  PackImageRecord(r, block);
  return tk::writeData(file, block, kSpareTextAt) && tk::writeLine(file, r.SpareText) &&
         tk::writeData(file, block + kSpareTextAt, kDisplayNameAt - kSpareTextAt) &&
         tk::writeLine(file, r.DisplayName) &&
         tk::writeData(file, block + kDisplayNameAt, ImageRecordBlockSize - kDisplayNameAt);
}

bool ReadImageRecordBlock(int file, ImageRecord& r) {
  uint8_t block[ImageRecordBlockSize];
  if (tk::readData(file, block, kSpareTextAt) != kSpareTextAt) return false;
  std::string spare = tk::readLine(file);
  if (tk::readData(file, block + kSpareTextAt, kDisplayNameAt - kSpareTextAt) != kDisplayNameAt - kSpareTextAt)
    return false;
  std::string name = tk::readLine(file);
  const size_t rest = ImageRecordBlockSize - kDisplayNameAt;
  if (tk::readData(file, block + kDisplayNameAt, rest) != rest) return false;
  UnpackImageRecord(block, r);
  r.SpareText = std::move(spare);
  r.DisplayName = std::move(name);
  return true;
}

std::string InstanceFolder() { return "Undo/Undo" + std::to_string(CVNIndex) + "/"; }

std::string SlotFolder(int32_t slot) { return InstanceFolder() + "Undo" + std::to_string(slot) + "/"; }
