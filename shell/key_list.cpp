// "Data/Key.list", the shortcut window's sections. Each section: a text line (the tab
// title), a signed 32-bit little-endian count n right after the line's end, then n pairs of
// text lines (the key and its explanation). A line ends at CR, LF, a zero byte or the end of
// the data; a CR takes a following LF with it.
#include "shell/shell.h"

namespace {

class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& b) : b_(b) {}
  bool atEnd() const { return pos_ >= b_.size(); }
  std::string line() {
    std::string s;
    while (pos_ < b_.size()) {
      const uint8_t c = b_[pos_++];
      if (c == '\r') {
        if (pos_ < b_.size() && b_[pos_] == '\n') ++pos_;
        break;
      }
      if (c == '\n' || c == 0) break;
      s += char(c);
    }
    return s;
  }
  // Bytes past the end read as 0.
  int32_t count() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const uint32_t byte = pos_ < b_.size() ? b_[pos_] : 0;
      ++pos_;
      v |= byte << (8 * i);
    }
    return int32_t(v);
  }

 private:
  const std::vector<uint8_t>& b_;
  size_t pos_ = 0;
};

}  // namespace

std::vector<KeyListSection> ParseKeyList(const std::vector<uint8_t>& bytes) {
  std::vector<KeyListSection> out;
  Reader r(bytes);
  while (!r.atEnd() && int32_t(out.size()) < MaxKeyListSections) {
    KeyListSection s;
    s.title = r.line();
    const int32_t n = r.count();
    // A count larger than the data can hold stops at its end.
    for (int32_t j = 0; j < n && !r.atEnd(); ++j) {
      std::string key = r.line();
      std::string explanation = r.line();
      s.rows.emplace_back(std::move(key), std::move(explanation));
    }
    out.push_back(std::move(s));
  }
  return out;
}
