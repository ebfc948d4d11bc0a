// The error report: one binary snapshot of the program's state, "Error/Error_<n>.bug",
// numbered by the counter "Error/index.num". The bytes are built into a caller's buffer
// without allocating, so that the crash handler's signal path writes the very same layout
// as the ordinary path; the viewer reads the file in exactly this order.
#include <cstring>

#include "documents/documents.h"
#include "shell/crash_io.h"
#include "effects/effects.h"
#include "script/script.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"
#include "tools/tools.h"

intptr_t LastErrorAddress = 0;

namespace {

// Little-endian writer over the caller's buffer; narrow fields keep the low bits.
struct ReportWriter {
  uint8_t* p;
  void b(int64_t v) { *p++ = uint8_t(v); }
  void w(int64_t v) {
    b(v);
    b(v >> 8);
  }
  void l(int64_t v) {
    const uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i) *p++ = uint8_t(u >> (8 * i));
  }
  void f(float v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    l(u);
  }
};

constexpr size_t kImageBlocks = 10;
constexpr size_t kGlobalPartSize = 190;

// The program-wide part. Fields whose variables this program does not keep (their owners
// have none, or never set them) are written as 0.
void WriteGlobalPart(ReportWriter& o) {
  const ImageRecord* cur =
      (CurrentImage >= 1 && size_t(CurrentImage) < ImageRecords.size()) ? &ImageRecords[CurrentImage] : nullptr;
  o.b(Rot);
  o.b(Gruen);
  o.b(Blau);
  o.b(AllRot);
  o.b(AllGruen);
  o.b(AllBlau);
  o.b(MaxRot);
  o.b(MaxGruen);
  o.b(MaxBlau);
  o.b(MinRot);
  o.b(MinGruen);
  o.b(MinBlau);
  o.b(Colornumber);
  // Channels held out of the image: flag, width, height; the marked area keeps none.
  o.b(cur ? cur->RotDa : 0);
  o.w(RedHoldWidth);
  o.w(RedHoldHeight);
  o.b(cur ? cur->GruenDa : 0);
  o.w(GreenHoldWidth);
  o.w(GreenHoldHeight);
  o.b(cur ? cur->BlauDa : 0);
  o.w(BlueHoldWidth);
  o.w(BlueHoldHeight);
  for (int i = 0; i < 3; ++i) {
    o.b(0);
    o.w(0);
    o.w(0);
  }
  o.w(bildlang);
  o.w(bildhoch);
  o.w(horz);
  o.w(vert);
  o.f(length);
  o.w(lang);
  o.w(hoch);
  o.w(bildx);
  o.l(maxx);
  o.l(maxy);
  o.l(undostate);
  o.l(maxundo);
  o.w(rightklick_x);
  o.w(rightklick_y);
  o.b(areamark);
  for (int32_t v : {arealang, areahoch, horz2, vert2, mousex, mousey, oldx, oldy, startx, starty, areax, areay,
                    Startareax, startareay, xarea, yarea})
    o.w(v);
  o.l(effects_start);
  o.l(effects_end);
  o.b(colororder);
  o.b(areacolororder);
  o.b(shiftpressed);
  o.b(controlpressed);
  o.w(cutsda);
  o.w(0);   // pressedkey: nothing sets it
  o.l(0);   // currentline
  o.b(mayhighlight);
  o.b(0);   // paramlist
  o.b(0);   // isimage
  o.b(allok);
  o.w(paintstate);
  o.w(linestate);
  o.b(tolleranz);
  o.w(drawforms_length);
  o.w(0);   // drawtransparenz: nothing sets it
  o.w(drawform_current);
  o.b(0);   // allowreadraw
  o.l(drawstep);
  o.b(0);   // currentbezier
  o.b(fillstate);
  o.b(0);   // mirrorxstate
  o.b(0);   // mirrorystate
  o.f(0);   // transstate
  o.l(0);   // drawdc
  o.b(0);   // vieleckwork
  o.b(KeyboardModus);
  o.b(KeyboardModus_hold);
  for (int32_t v : {KeyboardX, KeyboardY, areaxmax, areaymax, showareamaxx, showareamaxy, scrollmaxx, scrollmaxY})
    o.w(v);
  o.b(0);   // text_bgrot
  o.b(0);   // text_bggruen
  o.b(0);   // text_bgblau
  o.w(0);   // fontsize
}

}  // namespace

size_t BuildBugReport(const char* text, size_t len, uint8_t* out) {
  ReportWriter o{out};
  o.l(BugReportVersionBits);
  // The description is one line: line breaks inside it would end it early for the reader.
  for (size_t i = 0; i < len; ++i)
    if (text[i] != '\r' && text[i] != '\n') o.b(uint8_t(text[i]));
  o.b('\r');
  o.b('\n');
  const tk::Event& e = tk::currentEvent();
  const int32_t item = e.code == tk::EvMenu ? e.menu : e.gadget;
  o.l(tk::operatingSystemCode());
  o.l(int64_t(LastErrorAddress));
  o.l(LastEvent);
  o.l(item);   // Gadget
  o.l(item);   // Menu
  o.l(e.window);
  o.l(e.type);
  o.l(int64_t(e.lParam));
  o.l(int64_t(e.wParam));
  o.l(CVNIndex);
  o.l(OnErrorCode1);
  o.l(OnErrorCode2);
  o.b(ImageCount);
  o.b(CurrentImage);
  o.b(Lastimage);
  static const ImageRecord kEmpty{};
  for (size_t k = 1; k <= kImageBlocks; ++k) {
    PackImageRecord(k < ImageRecords.size() ? ImageRecords[k] : kEmpty, o.p);
    o.p += ImageRecordBlockSize;
  }
  uint8_t* const global = o.p;
  WriteGlobalPart(o);
  static_assert(4 * BugReportHeadLongs + 3 + 10 * ImageRecordBlockSize + kGlobalPartSize == BugReportFixedSize);
  (void)global;
  return size_t(o.p - out);
}

void WriteBugReport(const std::string& text) {
  crash_io::RefreshCurrentRecord();
  std::vector<uint8_t> bytes(6 + text.size() + BugReportFixedSize);
  bytes.resize(BuildBugReport(text.data(), text.size(), bytes.data()));
  // Without the folder nothing is written, the counter included.
  if (!tk::folderExists("Error")) return;
  int32_t n = 0;
  std::vector<uint8_t> counter;
  if (tk::readWholeFile("Error/index.num", counter) && counter.size() >= 4)
    n = int32_t(uint32_t(counter[0]) | uint32_t(counter[1]) << 8 | uint32_t(counter[2]) << 16 |
                uint32_t(counter[3]) << 24);
  if (n < 0) n = 0;   // a damaged counter starts again at 0 rather than naming "Error_-5"
  const uint32_t next = uint32_t(n) + 1;
  const uint8_t le[4] = {uint8_t(next), uint8_t(next >> 8), uint8_t(next >> 16), uint8_t(next >> 24)};
  tk::writeWholeFile("Error/index.num", le, 4);
  tk::writeWholeFile("Error/Error_" + std::to_string(n) + ".bug", bytes.data(), bytes.size());
}
