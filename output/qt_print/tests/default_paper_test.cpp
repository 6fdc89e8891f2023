#include "output/qt_print/qt_printer.h"

#include <QPrinterInfo>

#include <gtest/gtest.h>

#include <cstdlib>

namespace lv::print {
namespace {

TEST(DefaultPaper, WithoutAPrinterTheLocalesPaperElseLetter)
{
    EXPECT_EQ(PaperOfMillimetres(210, 297), QPageSize::A4);
    EXPECT_EQ(PaperOfMillimetres(216, 279), QPageSize::Letter) << "glibc rounds Letter to whole millimetres";
    EXPECT_EQ(PaperOfMillimetres(100, 100), QPageSize::Letter) << "a size with no name";
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a default printer decides the paper here";
    const char* before = std::getenv("LC_ALL");
    const std::string saved = before ? before : "";
    ::setenv("LC_ALL", "C", 1);  // glibc's C locale prints on A4
    EXPECT_EQ(DefaultPaper(), QPageSize::A4);
    const PrinterMetrics a4 = SystemPrinter().metrics(Orientation::Portrait);
    EXPECT_EQ(a4, PdfPageMetrics(QPageSize::A4, Orientation::Portrait)) << "the layouts are shown on it";
    before ? ::setenv("LC_ALL", saved.c_str(), 1) : ::unsetenv("LC_ALL");
}

}  // namespace
}  // namespace lv::print
