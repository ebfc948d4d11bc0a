// Print jobs: a job prints on the printer the dialog chose (here a PDF file), page by
// page at one cell per dot; without a printer or with a cancelled dialog nothing starts.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "toolkit/tk_image.h"
#include "toolkit/tk_print.h"
#include "toolkit/tk_rich.h"

namespace {

struct PrintTest : testing::Test {
  std::string pdf = (std::filesystem::temp_directory_path() / ("tk_print_" + std::to_string(::getpid()) + ".pdf")).string();
  void TearDown() override {
    tk::testSetPrinter(-1, 0);
    tk::freeImage(541);
    std::filesystem::remove(pdf);
    EXPECT_EQ(tk::test::pending(), 0);
    tk::test::clear();
  }
  std::string Pdf() const {
    std::ifstream f(pdf, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
};

TEST_F(PrintTest, JobWritesItsPagesOnTheChosenPrinter) {
  tk::testSetPrinter(50, 40);
  int w = 0, h = 0;
  ASSERT_TRUE(tk::printerPage(&w, &h));
  EXPECT_EQ(w, 50);
  EXPECT_EQ(h, 40);
  ASSERT_EQ(tk::createImage(541, 30, 20, 24, 0x0000FF), 541);
  tk::test::queueString(pdf);
  ASSERT_TRUE(tk::printDialog());
  ASSERT_TRUE(tk::printJobPage(&w, &h));
  EXPECT_EQ(w, 50);
  ASSERT_TRUE(tk::startPrintJob("Corvalen Ausdruck von Bild"));
  EXPECT_TRUE(tk::printImage(541, 0, 0));
  EXPECT_FALSE(tk::printImage(9999, 0, 0));
  EXPECT_TRUE(tk::printNewPage());
  EXPECT_TRUE(tk::printImage(541, 10, 10));
  EXPECT_TRUE(tk::endPrintJob());
  const std::string bytes = Pdf();
  ASSERT_EQ(bytes.substr(0, 4), "%PDF");
  const std::regex page("/Type\\s*/Page[^s]");
  EXPECT_EQ(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()), 2);
  EXPECT_NE(bytes.find("/MediaBox [0 0 50.000000 40.000000]"), std::string::npos);   // the page in dots
  EXPECT_FALSE(tk::endPrintJob());   // nothing runs any more
}

TEST_F(PrintTest, NoPrinterOrCancelledDialogStartsNothing) {
  tk::testSetPrinter(-2, 0);
  EXPECT_FALSE(tk::printerPage(nullptr, nullptr));
  tk::test::queueString(pdf);
  EXPECT_FALSE(tk::printDialog());
  EXPECT_FALSE(tk::startPrintJob("x"));
  tk::testSetPrinter(50, 40);
  tk::test::queueString("");
  EXPECT_FALSE(tk::printDialog());
  EXPECT_FALSE(tk::startPrintJob("x"));
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

}  // namespace
