#include "core/spec/SimSpec.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/base/FatalAssert.h"
#include "core/spec/FileSpec.h"
#include "core/spec/FloatPtSpec.h"
#include "core/spec/IntegerSpec.h"
#include "core/spec/NotesSpec.h"
#include "core/spec/PartTypeSpec.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {
namespace {

// The parameters of a small engine file, in file order.
struct Engine {
  CFloatPtSpec bore{"Bore", UnitInch, 2.0f, 7.0f, UnitMillimeter, kInchToMillimeter};
  CPartTypeSpec head{"Cylinder Head Type", 1, 25};
  CIntegerSpec cylinders{"Number of Cylinders", 1, 16};
  CNotesSpec notes{"Notes"};
  CFileSpec cam{"Cam File"};
  CFloatPtSpec stroke{"Stroke", UnitInch, 1.0f, 6.0f, UnitMillimeter, kInchToMillimeter};

  std::vector<CSimSpec*> All() { return {&bore, &head, &cylinders, &notes, &cam, &stroke}; }
};

TEST(SimSpecTest, SpecsFollowEachOtherInOneFile) {
  Engine written;
  written.bore.SetValue(4.0f);
  ASSERT_TRUE(written.head.SetSelection(3, " Stock Wedge"));
  written.cylinders.SetValue(8);
  ASSERT_TRUE(written.notes.SetFromText("\n  first\nsecond"));
  // cam stays unassigned; stroke too.

  std::ostringstream out;
  TextWriter writer(out);
  for (CSimSpec* spec : written.All()) spec->Write(writer);
  EXPECT_EQ(out.str(),
            "1 4.000000\n Stock Wedge\n3\n8\n1 15\n\n  first\nsecond\n0\n***\n0 1.000000\n");

  Engine read;
  TextReader reader(out.str());
  for (CSimSpec* spec : read.All()) spec->Read(reader);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(read.bore.GetText(), "4.000");
  // The "\n" ending the bore's line skips all white space, as fscanf's does, so
  // the name's leading blank is gone. Typed names are trimmed before they get here.
  EXPECT_EQ(read.head.GetName(), "Stock Wedge");
  EXPECT_EQ(read.cylinders.GetValue(), 8);
  EXPECT_EQ(read.notes.GetText(), "\n  first\nsecond");
  EXPECT_FALSE(read.cam.IsAssigned());
  EXPECT_FALSE(read.stroke.IsAssigned());
}

// Switches the C and C++ locales to German (decimal comma) for one test.
class GermanLocale {
 public:
  bool Install() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) return false;
    try {
      std::locale::global(std::locale("de_DE.UTF-8"));
    } catch (const std::runtime_error&) {
      return false;
    }
    return true;
  }
  ~GermanLocale() {
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
  }
};

TEST(SimSpecTest, NumbersIgnoreTheProcessLocale) {
  GermanLocale german;
  if (!german.Install()) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%.1f", 3.5);
  ASSERT_STREQ(buffer, "3,5");  // the locale really is in force

  CFloatPtSpec bore("Bore", UnitInch, 2.0f, 7.0f, UnitMillimeter, kInchToMillimeter);
  ASSERT_TRUE(bore.SetFromText("3.5"));
  EXPECT_EQ(bore.GetValue(), 3.5f);
  EXPECT_EQ(bore.GetText(), "3.500");
  EXPECT_EQ(bore.GetPrompt(), "Enter Bore Value Within Range: 2.000 to 7.000 in");

  std::ostringstream out;
  TextWriter writer(out);
  bore.Write(writer);
  EXPECT_EQ(out.str(), "1 3.500000\n");

  CFloatPtSpec copy("Bore", UnitInch, 2.0f, 7.0f, UnitMillimeter, kInchToMillimeter);
  TextReader reader(out.str());
  copy.Read(reader);
  EXPECT_EQ(copy.GetValue(), 3.5f);
}

// The base stands for no parameter: a stand-in that reaches its operations.
class BareSpec : public CSimSpec {
 public:
  BareSpec() : CSimSpec("Bare") {}
};

TEST(SimSpecDeathTest, TheBaseOperationsAreFatal) {
  const auto fatal = testing::ExitedWithCode(kFatalAssertExitStatus % 256);
  BareSpec bare;
  EXPECT_FALSE(bare.IsMultiLine());
  EXPECT_EXIT(bare.SetFromText("1"), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(bare.GetText(), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(bare.IsValid(), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(CFileSpec(nullptr), fatal, "ASSERTION FAILURE");
}

}  // namespace
}  // namespace brisca
