// Flood fill and magic wand. Both walk the 4-connected region of cells whose colour lies
// within `tolleranz` of the start cell's colour, breadth first through one queue, taking
// the neighbours in the order left, right, below, above. Every candidate is compared with
// the start colour, not with the cell it was reached from, so a region cannot drift along
// a gradient. The flag byte of a cell marks it visited (1); every fill clears all flags
// when it ends. No recursion: a fill of a whole 4000 x 3000 image needs only the queue,
// which holds the front of the walk and keeps its storage from one fill to the next.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "documents/documents.h"
#include "shell/shell.h"
#include "tools/strokes_internal.h"
#include "tools/tools.h"

int32_t FillCount = 0;

namespace {

using strokes::FlagOf;

// First in, first out, on one growing ring of cells; no allocation per cell.
class CellQueue {
 public:
  void Clear() { head_ = tail_ = 0; }
  bool Empty() const { return head_ == tail_; }
  void Push(int32_t x, int32_t y) {
    if (tail_ - head_ == ring_.size()) Grow();
    ring_[tail_++ & (ring_.size() - 1)] = {x, y};
  }
  void Pop(int32_t& x, int32_t& y) {
    const Cell& c = ring_[head_++ & (ring_.size() - 1)];
    x = c.x;
    y = c.y;
  }

 private:
  struct Cell {
    int32_t x, y;
  };
  void Grow() {
    std::vector<Cell> bigger(ring_.empty() ? 4096 : ring_.size() * 2);
    const size_t n = tail_ - head_;
    for (size_t i = 0; i < n; ++i) bigger[i] = ring_[(head_ + i) & (ring_.size() - 1)];
    ring_.swap(bigger);
    head_ = 0;
    tail_ = n;
  }
  std::vector<Cell> ring_;
  size_t head_ = 0, tail_ = 0;
};

CellQueue FloodQueue;

// The tolerance is a byte read as signed: above 127 it is negative and nothing matches.
int32_t Tolerance() { return int32_t(int8_t(uint8_t(tolleranz))); }

// The seed colour and the tolerance band around it, for the per-cell test.
struct Seed {
  int32_t r, g, b, t;
  // Colour within the band, whatever the flag.
  bool Near(PixelCell c) const {
    if (t < 0) return false;
    const uint32_t span = uint32_t(2 * t);
    return uint32_t(int32_t((c >> 16) & 0xFF) - r + t) <= span && uint32_t(int32_t((c >> 8) & 0xFF) - g + t) <= span &&
           uint32_t(int32_t(c & 0xFF) - b + t) <= span;
  }
  bool Matches(PixelCell c) const {
    // tolerance 0: the very colour, flag 0, in one comparison
    if (t == 0) return c == PixelCell((r << 16) | (g << 8) | b);
    return FlagOf(c) == 0 && Near(c);
  }
};

Seed SeedAt(int32_t x, int32_t y) {
  const PixelCell c = strokes::CellAt(x, y);
  return {int32_t((c >> 16) & 0xFF), int32_t((c >> 8) & 0xFF), int32_t(c & 0xFF), Tolerance()};
}

// A queued cell carries flag 3 until it is handled. A cell may be reached from several
// neighbours before its turn; it is handled at the first of them and the later ones
// are skipped, so it is queued once, at that first place: the visiting order is that of
// a queue that takes every copy and skips the visited ones.
constexpr PixelCell kQueued = 0x03000000u;

inline void Enqueue(PixelCell& c, int32_t x, int32_t y) {
  c = (c & 0x00FFFFFFu) | kQueued;
  FloodQueue.Push(x, y);
}

// Queues the matching neighbours of (x, y): left, right, below, above.
inline void QueueNeighbours(const Seed& s, int32_t x, int32_t y, PixelCell* row, size_t stride) {
  if (x > 0 && s.Matches(row[x - 1])) Enqueue(row[x - 1], x - 1, y);
  if (x < bildlang && s.Matches(row[x + 1])) Enqueue(row[x + 1], x + 1, y);
  if (y < bildhoch && s.Matches(row[stride + size_t(x)])) Enqueue(row[stride + size_t(x)], x, y + 1);
  if (y > 0 && s.Matches(row[size_t(x) - stride])) Enqueue(row[size_t(x) - stride], x, y - 1);
}

// Takes the queued mark off before the cell is painted: the draw modes see it unvisited.
inline PixelCell& TakeQueued(PixelCell* row, int32_t x) {
  row[x] &= 0x00FFFFFFu;
  return row[x];
}

void FloodFillRegion(const Seed& s, int32_t x, int32_t y, int8_t drawMode, float opacity, bool plain,
                     PixelCell plainColour) {
  const size_t stride = size_t(bildlang) + 1;
  PixelCell* row = ImagePixels.data() + size_t(y) * stride;
  PixelCell& cell = TakeQueued(row, x);
  // the plain opaque brush of a true-colour image writes the drawing colour as DrawPixel does
  if (plain) cell = plainColour;
  else DrawPixel(y, x, drawMode, opacity);
  cell = (cell & 0x00FFFFFFu) | 0x01000000u;
  ++FillCount;
  QueueNeighbours(s, x, y, row, stride);
}

void FloodFillRegionTransparent(const Seed& s, int32_t x, int32_t y, int32_t distance, int8_t drawMode,
                                float opacity) {
  const size_t stride = size_t(bildlang) + 1;
  PixelCell* row = ImagePixels.data() + size_t(y) * stride;
  PixelCell& cell = TakeQueued(row, x);
  // 0 at the seed colour, 1 at the greatest distance that still matches
  const float a = s.t == 0 ? 0.0f : float(double(distance) / (double(s.t) * 3.0));
  const PixelCell old = cell;
  DrawPixel(y, x, drawMode, opacity);
  const PixelCell painted = cell;
  PixelCell out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const float p = float((painted >> shift) & 0xFF), o = float((old >> shift) & 0xFF);
    const int32_t v = int32_t(std::nearbyint(p * (1.0f - a) + o * a));
    out |= (uint32_t(v) & 0xFF) << shift;
  }
  cell = out | 0x01000000u;
  QueueNeighbours(s, x, y, row, stride);
}

// Draw modes whose colour for a cell depends on that cell alone. With them the order in
// which the region is walked changes nothing: every cell of the region is painted once,
// from its own old colour and with flag 0, so the fill may walk the region row by row.
// The mirroring modes (6 to 8) read other cells and the noise mode (9) draws random
// numbers in walking order: they keep the breadth-first walk.
bool OrderFree(int8_t drawMode) {
  const uint8_t m = uint8_t(drawMode);
  return m < 6 || m > 9;
}

bool AnyFlagSet() {
  PixelCell any = 0;
  for (PixelCell c : ImagePixels) any |= c;
  return (any >> 24) != 0;
}

struct Run {
  int32_t x, y;
};
std::vector<Run> gRunStack;   // kept from one fill to the next

// The region row by row: each popped cell grows into the run of matching cells around it,
// the run is painted, and the first cell of every matching stretch above and below it is
// pushed. Each cell is painted once; the stack holds run starts only.
// `mark` is the flag written on painted cells: 1, or 0 when the painted colour itself can
// no longer match (the plain brush outside the tolerance band), which spares the fill
// its pass over every flag at the end.
void RowFill(const Seed& s, int32_t x, int32_t y, int8_t drawMode, float opacity, bool plain, PixelCell colour,
             PixelCell mark) {
  const size_t stride = size_t(bildlang) + 1;
  gRunStack.clear();
  gRunStack.push_back({x, y});
  bool start = true;   // the start cell is painted whatever the tolerance
  while (!gRunStack.empty()) {
    const Run at = gRunStack.back();
    gRunStack.pop_back();
    PixelCell* row = ImagePixels.data() + size_t(at.y) * stride;
    if (!start && !s.Matches(row[at.x])) continue;
    start = false;
    int32_t l = at.x, r = at.x;
    while (l > 0 && s.Matches(row[l - 1])) --l;
    while (r < bildlang && s.Matches(row[r + 1])) ++r;
    if (plain) {
      for (int32_t i = l; i <= r; ++i) row[i] = colour | mark;
    } else {
      for (int32_t i = l; i <= r; ++i) {
        DrawPixel(at.y, i, drawMode, opacity);
        row[i] = (row[i] & 0x00FFFFFFu) | 0x01000000u;
      }
    }
    FillCount += r - l + 1;
    for (int32_t ny : {at.y - 1, at.y + 1}) {
      if (ny < 0 || ny > bildhoch) continue;
      const PixelCell* next = ImagePixels.data() + size_t(ny) * stride;
      for (int32_t i = l; i <= r;) {
        if (!s.Matches(next[i])) {
          ++i;
          continue;
        }
        gRunStack.push_back({i, ny});
        while (i <= r && s.Matches(next[i])) ++i;
      }
    }
  }
}

// Starts a walk at (x, y): the queue holds the start cell alone.
void StartWalk(int32_t x, int32_t y) {
  FloodQueue.Clear();
  Enqueue(strokes::CellAt(x, y), x, y);
}

}  // namespace

int32_t FillColorMatches(int32_t y, int32_t x, int32_t r, int32_t g, int32_t b) {
  if (!strokes::InImage(x, y)) return 0;
  const Seed s{r & 0xFF, g & 0xFF, b & 0xFF, Tolerance()};
  return s.Matches(strokes::CellAt(x, y)) ? 1 : 0;
}

int32_t ColorDistanceSum(int32_t r1, int32_t g1, int32_t b1, int32_t r2, int32_t g2, int32_t b2) {
  return std::abs(r1 - r2) + std::abs(g1 - g2) + std::abs(b1 - b2);
}

void FloodFill(int32_t x, int32_t y, int32_t drawMode, float opacity, int32_t quiet) {
  if (!strokes::InImage(x, y)) return;   // a script's cell off the image fills nothing
  if (quiet == 0) CreateUndoPoint();
  const Seed seed = SeedAt(x, y);
  const bool plain = int8_t(drawMode) == 0 && opacity == 1.0f && Colornumber == 0;
  const PixelCell plainColour = (PixelCell(Rot) << 16) | (PixelCell(Gruen) << 8) | PixelCell(Blau);
  FillCount = 0;
  if (OrderFree(int8_t(drawMode))) {
    const bool unmarked = plain && !seed.Near(plainColour);
    RowFill(seed, x, y, int8_t(drawMode), opacity, plain, plainColour, unmarked ? 0u : 0x01000000u);
    // every flag ends at 0: when the fill set none, only flags found beforehand need it
    if (!unmarked || AnyFlagSet()) {
      ClearPixelFlags();
    } else {
      lang = bildlang + 1;   // where the pass over the flags leaves the loop counters
      hoch = bildhoch + 1;
    }
    if (quiet == 0) RedrawCanvas();
    return;
  }
  StartWalk(x, y);
  while (!FloodQueue.Empty()) {
    int32_t cx, cy;
    FloodQueue.Pop(cx, cy);
    FloodFillRegion(seed, cx, cy, int8_t(drawMode), opacity, plain, plainColour);
  }
  ClearPixelFlags();
  if (quiet == 0) RedrawCanvas();
}

void FloodFillTransparent(int32_t x, int32_t y, int32_t drawMode, float opacity, uint8_t quiet) {
  if (!strokes::InImage(x, y)) return;
  if (quiet == 0) CreateUndoPoint();
  const Seed seed = SeedAt(x, y);
  StartWalk(x, y);
  while (!FloodQueue.Empty()) {
    int32_t cx, cy;
    FloodQueue.Pop(cx, cy);
    const PixelCell c = strokes::CellAt(cx, cy);
    const int32_t d = ColorDistanceSum(seed.r, seed.g, seed.b, int32_t((c >> 16) & 0xFF), int32_t((c >> 8) & 0xFF),
                                       int32_t(c & 0xFF));
    FloodFillRegionTransparent(seed, cx, cy, d, int8_t(drawMode), opacity);
  }
  ClearPixelFlags();
  if (quiet == 0) RedrawCanvas();
}

void MagicStick(int32_t x, int32_t y) { MagicStick(x, y, 0); }

void MagicStick(int32_t x, int32_t y, uint8_t quiet) {
  if (!strokes::InImage(x, y)) {
    linestate = -1;
    return;
  }
  const Seed seed = SeedAt(x, y);
  StartWalk(x, y);
  startx = areax = x;
  starty = areay = y;
  const size_t stride = size_t(bildlang) + 1;
  while (!FloodQueue.Empty()) {
    int32_t cx, cy;
    FloodQueue.Pop(cx, cy);
    PixelCell* row = ImagePixels.data() + size_t(cy) * stride;
    row[cx] = (row[cx] & 0x00FFFFFFu) | 0x01000000u;
    startx = std::min(startx, cx);
    areax = std::max(areax, cx);
    starty = std::min(starty, cy);
    areay = std::max(areay, cy);
    QueueNeighbours(seed, cx, cy, row, stride);
  }
  areamark = 2;
  linestate = -1;
  if (quiet == 0) SetBusySign(true);
  MarkArea(startx, starty, areax, areay, 0, 0, quiet);
  // Region cells with an unreached neighbour inside the area are its border (flag 2).
  const int32_t w = arealang + 1, h = areahoch + 1;
  if (AreaPixels.size() == size_t(w) * size_t(h)) {
    for (int32_t ax = 0; ax < w; ++ax)
      for (int32_t ay = 0; ay < h; ++ay) {
        PixelCell& c = AreaPixels[size_t(ay) * w + ax];
        if (FlagOf(c) != 1) continue;
        bool border = false;
        for (int32_t dy = -1; dy <= 1 && !border; ++dy)
          for (int32_t dx = -1; dx <= 1; ++dx) {
            const int32_t nx = ax + dx, ny = ay + dy;
            if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
            if (FlagOf(AreaPixels[size_t(ny) * w + nx]) == 0) {
              border = true;
              break;
            }
          }
        if (border) c = (c & 0x00FFFFFFu) | 0x02000000u;
      }
  }
  if (quiet == 0) SetBusySign(false);
  ClearPixelFlags();
  if (quiet == 0) RefreshView();
  RedrawCanvas();
}
