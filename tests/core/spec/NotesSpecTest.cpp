#include "core/spec/NotesSpec.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/core/spec/SpecTestSupport.h"

namespace brisca {
namespace {

using testing_support::ReadCode;
using testing_support::WrittenText;

TEST(NotesSpecTest, TextAndPrompt) {
  CNotesSpec notes("Notes");
  EXPECT_TRUE(notes.IsMultiLine());
  EXPECT_EQ(notes.GetPrompt(), "Enter or Modify Notes Text");
  EXPECT_EQ(notes.GetText(), "***");
  EXPECT_TRUE(notes.SetFromText("a\nb"));
  EXPECT_TRUE(notes.IsValid());
}

// Notes once typed can be removed again: the empty text unassigns them, and the
// file then holds what a never-typed note holds.
TEST(NotesSpecTest, EmptyTextRemovesTheNotes) {
  CNotesSpec notes("Notes");
  ASSERT_TRUE(notes.SetFromText("Line one\nLine two"));
  EXPECT_TRUE(notes.SetFromText("", true));
  EXPECT_TRUE(notes.IsValid());  // a check stores nothing
  EXPECT_TRUE(notes.SetFromText(""));
  EXPECT_FALSE(notes.IsAssigned());
  EXPECT_FALSE(notes.IsValid());
  EXPECT_EQ(notes.GetText(), "***");
  EXPECT_EQ(WrittenText(notes), WrittenText(CNotesSpec("Notes")));
  CNotesSpec copy("Notes");
  ASSERT_EQ(ReadCode(copy, "1 0\n\n"), 0);  // an empty text read back is no notes either
  EXPECT_FALSE(copy.IsAssigned());
}

TEST(NotesSpecTest, TwoLinesAreWrittenWithTheirCount) {
  CNotesSpec notes("Notes");
  ASSERT_TRUE(notes.SetFromText("ab\ncd"));
  EXPECT_EQ(WrittenText(notes), "1 5\nab\ncd\n");
  EXPECT_EQ(WrittenText(CNotesSpec("Notes")), "0 3\n***\n");
}

TEST(NotesSpecTest, TextsReadBackUnchanged) {
  // The count delimits the text: leading blanks and line breaks are part of it.
  for (const char* text : {"ab\ncd", " leading blank", "\nleading break", "\n\n  \n", "trailing\n",
                           "tab\tand \r\n crlf"}) {
    SCOPED_TRACE(text);
    CNotesSpec notes("Notes");
    ASSERT_TRUE(notes.SetFromText(text));
    CNotesSpec copy("Notes");
    ASSERT_EQ(ReadCode(copy, WrittenText(notes)), 0);
    EXPECT_EQ(copy.GetText(), text);
    EXPECT_TRUE(copy.IsValid());
  }
}

TEST(NotesSpecTest, FlagZeroLeavesTheSpec) {
  CNotesSpec notes("Notes");
  EXPECT_EQ(ReadCode(notes, "0 3\n***\n"), 0);
  EXPECT_FALSE(notes.IsAssigned());
}

TEST(NotesSpecTest, DamagedFormsFailAndLeaveTheSpec) {
  const char* cases[] = {
      "",
      "1\n",
      "1 5\nab\n",        // ends before five characters
      "1 5\nab\ncdX\n",   // no newline after the counted text
      "1 5\nab\ncd",      // nor at the end of the file
      "1 -1\n\n",
      "1 5 x\nab\ncd\n",  // something after the count
  };
  for (const char* text : cases) {
    SCOPED_TRACE(text);
    CNotesSpec notes("Notes");
    ASSERT_TRUE(notes.SetFromText("kept"));
    EXPECT_EQ(ReadCode(notes, text), kErrRead);
    EXPECT_EQ(notes.GetText(), "kept");
  }
}

}  // namespace
}  // namespace brisca
