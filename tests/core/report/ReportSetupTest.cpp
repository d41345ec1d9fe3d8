#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/reportspecs/ReportSetup.h"
#include "tests/support/ScriptedPresenter.h"
#include "tests/support/TempDir.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;
using Text = ReportSetup::Text;
using Flag = ReportSetup::Flag;
using Glossary = ReportSetup::Glossary;

std::vector<int> ErrorCodes(const ScriptedPresenter& presenter) {
  std::vector<int> codes;
  for (const Message& message : presenter.Shown())
    if (message.kind == MessageKind::Error) codes.push_back(message.code);
  return codes;
}

int Questions(const ScriptedPresenter& presenter) {
  int count = 0;
  for (const Message& message : presenter.Shown()) count += message.kind == MessageKind::Question;
  return count;
}

ReportSpecs BuiltIn(const char* title) {
  ReportSpecs specs;
  specs.Reset(title);
  return specs;
}

class ReportSetupTest : public ::testing::Test {
 protected:
  ScriptedPresenter presenter;
  ScopedPresenter installed{presenter};
  TempDir folder;
};

TEST_F(ReportSetupTest, NeverSetUpOpensWithTheBuiltInDefaultsAndTheDocumentsTitle) {
  const ReportSetup setup("Engine1", ReportSpecs(), folder.Path());
  EXPECT_EQ(setup.Settings(), BuiltIn("Engine1"));
  EXPECT_EQ(setup.GetGlossary(), Glossary::Full);
  EXPECT_TRUE(presenter.Shown().empty());
}

TEST_F(ReportSetupTest, NeverSetUpOpensWithTheSavedDefaultsButTheDocumentsTitle) {
  ReportSpecs saved = BuiltIn("Saved");
  saved.company = "Quarry Engines";
  saved.includeLogo = false;
  ASSERT_TRUE(saved.SaveDefaults(folder.Path()));

  const ReportSetup setup("Engine2", ReportSpecs(), folder.Path());
  EXPECT_EQ(setup.GetText(Text::Company), "Quarry Engines");
  EXPECT_EQ(setup.GetText(Text::TestTitle), "Engine2");
  EXPECT_FALSE(setup.GetFlag(Flag::Logo));
  EXPECT_FALSE(setup.LogoFileEnabled());
}

TEST_F(ReportSetupTest, SettingsAlreadySetUpOpenAsTheyAre) {
  ReportSpecs own = BuiltIn("Own Title");
  own.tester = "R. Marsh";
  ASSERT_TRUE(BuiltIn("Saved").SaveDefaults(folder.Path()));
  EXPECT_EQ(ReportSetup("Engine3", own, folder.Path()).Settings(), own);
}

TEST_F(ReportSetupTest, TextsAreStoredTrimmed) {
  ReportSetup setup("Engine1", ReportSpecs(), folder.Path());
  setup.SetText(Text::Designer, "  \tA. Designer  ");
  setup.SetText(Text::Company, "   ");
  EXPECT_EQ(setup.Settings().designer, "A. Designer");
  EXPECT_EQ(setup.Settings().company, "");
}

TEST_F(ReportSetupTest, OkValidatesWhatTheCheckBoxesInclude) {
  struct Case {
    const char* name;
    Flag flag;
    bool included;
    Text file;
    int code;  // 0: accepted
  };
  const Case cases[] = {
      {"logo excluded, no name", Flag::Logo, false, Text::LogoFile, 0},
      {"logo included, no name", Flag::Logo, true, Text::LogoFile, 133},
      {"page bottom excluded, no name", Flag::PageBottom, false, Text::PageBottomFile, 0},
      {"page bottom included, no name", Flag::PageBottom, true, Text::PageBottomFile, 134},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    presenter.Clear();
    ReportSetup setup("Engine1", ReportSpecs(), folder.Path());
    setup.SetFlag(c.flag, c.included);
    setup.SetText(c.file, "");
    ReportSpecs target;
    const bool accepted = setup.Accept(target);
    EXPECT_EQ(accepted, c.code == 0);
    EXPECT_EQ(ErrorCodes(presenter), c.code == 0 ? std::vector<int>{} : std::vector<int>{c.code});
    EXPECT_EQ(target, accepted ? setup.Settings() : ReportSpecs());
  }
}

TEST_F(ReportSetupTest, SaveWithInvalidSettingsReportsAndAsksNothing) {
  ReportSetup setup("Engine1", ReportSpecs(), folder.Path());
  setup.SetText(Text::LogoFile, "");
  EXPECT_FALSE(setup.Save());
  EXPECT_EQ(ErrorCodes(presenter), std::vector<int>{133});
  EXPECT_EQ(Questions(presenter), 0);
  EXPECT_FALSE(fs::exists(folder / "Kalvex.INI"));
}

TEST_F(ReportSetupTest, SaveAsksAndWritesOnlyOnYes) {
  ReportSetup setup("Engine1", ReportSpecs(), folder.Path());
  setup.SetText(Text::Company, "Quarry Engines");
  presenter.Answer(MessageButton::Cancel);  // No
  EXPECT_FALSE(setup.Save());
  EXPECT_FALSE(fs::exists(folder / "Kalvex.INI"));
  ASSERT_EQ(presenter.Shown().size(), 1u);
  const Message& question = presenter.Shown().front();
  EXPECT_EQ(question.title, "Kalvex");
  EXPECT_EQ(question.buttons, MessageButtons::YesNo);
  EXPECT_EQ(question.icon, MessageIcon::Question);
  EXPECT_EQ(question.text,
            "Do you want to change the default settings for Kalvex setup? \n\n"
            "This change will affect new documents and documents without Kalvex settings specified.");

  EXPECT_TRUE(setup.Save());  // the script is spent: Yes
  EXPECT_TRUE(fs::exists(folder / "Kalvex.INI"));
}

TEST_F(ReportSetupTest, SavedSettingsAreRecalledInAnotherDocumentWithItsTitle) {
  ReportSetup first("Engine1", ReportSpecs(), folder.Path());
  first.SetText(Text::Company, "Quarry Engines");
  first.SetText(Text::EmailWeb, "bench@quarry.example");
  first.SetFlag(Flag::TableOfContents, false);
  first.SetGlossary(Glossary::Mini);
  ASSERT_TRUE(first.Save());

  ReportSpecs other = BuiltIn("Engine2");
  other.company = "Someone Else";
  ReportSetup second("Engine2", other, folder.Path());
  EXPECT_TRUE(second.RecallSaved());
  ReportSpecs expected = first.Settings();
  expected.testTitle = "Engine2";
  EXPECT_EQ(second.Settings(), expected);
}

TEST_F(ReportSetupTest, RecallWithoutSavedFileAndResetAllGiveTheBuiltInDefaults) {
  ReportSpecs own = BuiltIn("Own");
  own.company = "Quarry Engines";
  own.includeGlossary = false;
  ReportSetup setup("Engine4", own, folder.Path());
  EXPECT_TRUE(setup.RecallSaved());
  EXPECT_EQ(setup.Settings(), BuiltIn("Engine4"));

  setup.SetText(Text::Company, "Changed");
  setup.SetGlossary(Glossary::None);
  setup.ResetAll();
  EXPECT_EQ(setup.Settings(), BuiltIn("Engine4"));
  EXPECT_TRUE(presenter.Shown().empty());
}

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// The report names the logo and the page bottom without a folder, so a file
// chosen elsewhere is copied into the report folder; a different file of the
// same name there is replaced only on OK.
TEST_F(ReportSetupTest, BrowseKeepsTheFileNameAndPutsTheFileInTheReportFolder) {
  struct Case {
    const char* name;
    const char* there;      // the report folder's file of that name, null: none
    MessageButton answer;   // to question 340, when it is asked
    bool taken;             // the setting names the chosen file
    std::vector<int> codes;
  };
  const Case cases[] = {
      {"new name", nullptr, MessageButton::Ok, true, {}},
      {"same file there", "chosen", MessageButton::Ok, true, {}},
      {"different file, replaced", "old logo", MessageButton::Ok, true, {340}},
      {"different file, kept", "old logo", MessageButton::Cancel, false, {340}},
  };
  const fs::path report = folder / "report";
  const fs::path elsewhere = folder / "pictures" / "Shop Logo.bmp";
  Write(elsewhere, "chosen");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(report);
    if (c.there) Write(report / "Shop Logo.bmp", c.there);
    presenter.Clear();
    presenter.Answer(c.answer);
    ReportSetup setup("Engine1", ReportSpecs(), report);
    const std::string before = setup.Settings().logoFile;
    EXPECT_EQ(setup.ChooseFile(Text::LogoFile, elsewhere), c.taken);
    EXPECT_EQ(ErrorCodes(presenter), c.codes);
    EXPECT_EQ(setup.Settings().logoFile, c.taken ? "Shop Logo.bmp" : before);
    EXPECT_EQ(Contents(report / "Shop Logo.bmp"), c.taken ? "chosen" : c.there);
    EXPECT_EQ(Contents(elsewhere), "chosen");
  }

  // A file of the report folder itself stays as it is; one that cannot be read is reported.
  presenter.Clear();
  ReportSetup setup("Engine1", ReportSpecs(), report);
  Write(report / "Bottom.txt", "bottom");
  EXPECT_TRUE(setup.ChooseFile(Text::PageBottomFile, report / "Bottom.txt"));
  EXPECT_EQ(setup.Settings().pageBottomFile, "Bottom.txt");
  EXPECT_FALSE(setup.ChooseFile(Text::LogoFile, folder / "nowhere" / "Gone.bmp"));
  EXPECT_EQ(ErrorCodes(presenter), std::vector<int>{341});
  EXPECT_NE(setup.Settings().logoFile, "Gone.bmp");
}

TEST_F(ReportSetupTest, GlossaryChoiceAndItsEnabling) {
  ReportSpecs both = BuiltIn("Engine1");
  both.fullGlossary = both.miniGlossary = true;  // only a hand-edited file has both
  ReportSetup setup("Engine1", both, folder.Path());
  EXPECT_EQ(setup.GetGlossary(), Glossary::Full);

  setup.SetGlossary(Glossary::Mini);
  EXPECT_FALSE(setup.Settings().fullGlossary);
  EXPECT_TRUE(setup.Settings().miniGlossary);
  setup.SetGlossary(Glossary::Full);
  EXPECT_TRUE(setup.Settings().fullGlossary);
  EXPECT_FALSE(setup.Settings().miniGlossary);

  EXPECT_TRUE(setup.GlossaryChoiceEnabled());
  setup.SetFlag(Flag::Glossary, false);
  EXPECT_FALSE(setup.GlossaryChoiceEnabled());
  setup.SetFlag(Flag::PageBottom, false);
  EXPECT_FALSE(setup.PageBottomFileEnabled());
}

}  // namespace
}  // namespace brisca
