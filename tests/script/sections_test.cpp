// Directory loops and structure sections run through RunScript in the started program.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "documents/documents.h"
#include "script/script.h"
#include "image_folder_fixture.h"
#include "shell/loops_fixture.h"
#include "shell/shell.h"
#include "toolkit/toolkit.h"

namespace {

class Sections : public ImageFolderScriptTest {
 protected:
  Sections() : ImageFolderScriptTest("ScriptSections") {}

  static std::string Message(const std::string& text) {
    tk::setRichText(496, text);
    tk::test::clear();
    for (int i = 0; i < 3; ++i) tk::test::queueResult(tk::ResultOk);
    RunScript(496, 0);
    const std::vector<std::string> boxes = tk::test::shown();
    tk::test::clear();
    if (boxes.empty()) return "";
    const size_t bar = boxes[0].find('|');
    return boxes.size() == 1 && bar != std::string::npos ? boxes[0].substr(bar + 1) : "<" + boxes[0] + ">";
  }
  static std::string Value(const std::string& name) {
    for (const ScriptVariable& v : VariableList)
      if (v.name == name) return v.value;
    return "<none>";
  }
  void Touch(const std::string& name) { tk::writeWholeFile(folder + name, "x", 1); }
  // A structure of w x h grey bytes: header (last x, last y) then the rows; `extra`
  // bytes more or fewer than the header promises.
  void Structure(const std::string& name, int w, int h, int extra = 0) {
    std::vector<uint8_t> b;
    for (int32_t v : {w - 1, h - 1})
      for (int k = 0; k < 4; ++k) b.push_back(uint8_t(uint32_t(v) >> (8 * k)));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) b.push_back((x + y) % 2 ? 255 : 0);
    b.resize(b.size() + extra);
    tk::writeWholeFile(folder + name, b.data(), b.size());
  }
  static void Image(int w, int h, PixelCell c) {
    SetImageDimensions(h, w, 1);
    ImagePixels.assign(size_t(w) * h, c);
  }
};

TEST_F(Sections, DirectoryFilterAndLoop) {
  for (const char* n : {"a.Png", "b.jpeg", "c.bmp", "d.jpg", "e.txt", "f.struc", "g.DF"}) Touch(n);
  struct C { int filter; const char* count; const char* last; };
  const C cases[] = {
      {3, "2", "\"d.jpg\""},     // a.Png and d.jpg; not b.jpeg
      {256, "1", "\"c.bmp\""},   // any bit from 128 up means BMP
      {12, "2", "\"g.DF\""},
      {0, "1", "<unchanged>"},  // nothing admitted: the body runs once, no jump back
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.filter);
    SystemConstantTable[45].value = "<unchanged>";
    VariableList.clear();
    InvalidateVariableIndex();
    EXPECT_EQ(Message("#n = 0\rExamineDirectory(1, \"\", " + std::to_string(c.filter) +
                      ")\rForEachDirectoryEntry(1)\r#n = #n + 1\rNextDirectoryEntry(1)"),
              "");
    EXPECT_EQ(Value("n").substr(0, 1), c.count);
    EXPECT_EQ(SystemConstantTable[45].value, c.last);
  }
  EXPECT_EQ(Message("ExamineDirectory(1, \"\", 3)\rSkipDirectoryEntry(1)\rUseDirectory(1)"), "");
  EXPECT_NE(SystemConstantTable[45].value.find("\\d.jpg"), std::string::npos);
  EXPECT_NE(SystemConstantTable[45].value.front(), '"');   // the full path, no quotes
  EXPECT_EQ(Message("ExamineDirectory(10, \"\", 3)"), "Index muss zwischen 1 und 9 liegen");
  EXPECT_EQ(Message("ExamineDirectory(\"1\", \"\", 3)"), "Falsche Parameterart");
  EXPECT_EQ(Message("NextDirectoryEntry(0)"), "Index muss zwischen 1 und 9 liegen");
}

TEST_F(Sections, BothListOrdersAndOneListAlone) {
  Structure("s.struc", 10, 10);
  const PixelCell start = 0x00102030u;
  const std::string white = "WhiteEffects()\rFillImage(255,255,255)\rEndWhiteEffects()\r";
  const std::string black = "BlackEffects()\rFillImage(0,0,0)\rEndBlackEffects()\r";
  struct C { std::string lists; PixelCell onWhite, onBlack; };
  const C cases[] = {
      {white + black, 0xFFFFFFu, 0u},
      {black + white, 0xFFFFFFu, 0u},
      {white, 0xFFFFFFu, start},
      {black, start, 0u},   // the black result shows where the structure is black
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.lists);
    Image(25, 25, start);
    ASSERT_EQ(Message("UseCurrentImage()\rStructureSection(\"s.struc\", 0)\r" + c.lists + "EndStructureSection()"), "");
    // The 10 x 10 structure repeats two and a half times each way.
    for (int y = 0; y < 25; ++y)
      for (int x = 0; x < 25; ++x)
        ASSERT_EQ(ImagePixels[size_t(y) * 25 + x] & 0xFFFFFFu, ((x % 10 + y % 10) % 2) ? c.onWhite : c.onBlack)
            << x << "," << y;
  }
}

TEST_F(Sections, SectionChecks) {
  Structure("s.struc", 10, 10);
  Structure("short.struc", 10, 10, -1);
  Structure("long.struc", 10, 10, 5);
  Image(12, 12, 0x00808080u);
  struct C { const char* text; const char* message; };
  const C cases[] = {
      {"StructureSection(\"fehlt.struc\", 0)", "Structure nicht gefunden"},
      {"StructureSection(\"s.struc\", 2)", "Ausrichtung muss 0 oder 1 sein"},
      {"StructureSection(5, 0)", "Ein String wird erwartet"},
      {"StructureSection(\"s.struc\", 0)\rStructureSection(\"s.struc\", 0)",
       "EndStructureSection muss aufgerufen werden, bevor StructureSection erneut aufgerufen werden kann"},
      {"StructureSection(\"s.struc\", 0)\rWhiteEffects()\rEndWhiteEffects()\rWhiteEffects()",
       "WhiteEffects kann nicht 2mal in der gleichen StructureSection aufgerufen werden"},
      {"StructureSection(\"s.struc\", 0)\rWhiteEffects()\rBlackEffects()", "EndWhiteEffects fehlt"},
      {"WhiteEffects()", "Keine StructureSection vorhanden"},
      {"EndStructureSection()",
       "StructureSection muss aufgerufen werden, bevor EndStructureSection aufgerufen werden kann"},
      {"StructureSection(\"s.struc\", 0)\rTurn_90()", "In StructureSection nicht möglich"},
      {"StructureSection(\"s.struc\", 0)\rMark(1,1,2,2)", "Die StructureSection muss  vorher geschlossen werden"},
      {"StructureSection(\"short.struc\", 0)\rEndStructureSection()", "Die Structure-Datei ist beschädigt"},
      {"StructureSection(\"long.struc\", 1)\rEndStructureSection()", "Die Structure-Datei ist beschädigt"},
      {"StructureSection(\"s.struc\", 1)\rEndStructureSection()", ""},
      {"StructureSection_Marked(\"s.struc\", 0)", "Kein Markierter Bereich vorhanden"},
      {"Mark(1,1,4,2)\rStructureSection_Marked(\"s.struc\", 0)\rBlackEffects_Marked()\rTurn_90_Marked()\r"
       "EndBlackEffects_Marked()\rEndStructureSection_Marked()",
       "Die Größe hat sich innerhalb der StructureSection geändert"},
      {"Mark(1,1,4,2)\rStructureSection_Marked(\"s.struc\", 0)\rEndWhiteEffects_Marked()",
       "WhiteEffects_Marked muss aufgerufen werden, bevor EndWhiteEffects aufgerufen werden kann"},
  };
  for (const C& c : cases) {
    SCOPED_TRACE(c.text);
    Image(12, 12, 0x00808080u);
    EXPECT_EQ(Message(std::string("UseCurrentImage()\r") + c.text), c.message);
  }
}

TEST_F(Sections, MarkedSectionMixesTheArea) {
  Structure("s.struc", 4, 2);
  Image(6, 4, 0x00404040u);
  ASSERT_EQ(Message("UseCurrentImage()\rMark(2,2,4,2)\rStructureSection_Marked(\"s.struc\", 0)\r"
                    "WhiteEffects_Marked()\rFillImage_Marked(255,255,255)\rEndWhiteEffects_Marked()\r"
                    "EndStructureSection_Marked()\rEndMark(0)"),
            "");
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const bool inside = x >= 1 && x <= 4 && y >= 1 && y <= 2;
      const bool whiteCell = inside && ((x - 1 + y - 1) % 2);
      ASSERT_EQ(ImagePixels[size_t(y) * 6 + x] & 0xFFFFFFu, whiteCell ? 0xFFFFFFu : 0x404040u) << x << "," << y;
    }
}

}  // namespace
