#include "core/base/ErrCode.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/base/FatalAssert.h"
#include "tests/support/ScriptedPresenter.h"

namespace brisca {
namespace {

std::set<int> Span(int first, int last) {
  std::set<int> codes;
  for (int code = first; code <= last; ++code) codes.insert(code);
  return codes;
}

TEST(ErrCodeTest, ExactlyTheListedCodesAreDefined) {
  std::set<int> unusedErrors = {87, 165};
  for (const auto& range : {Span(78, 85), Span(111, 122), Span(150, 161)})
    unusedErrors.insert(range.begin(), range.end());
  const std::set<int> unusedNotices = {110, 112, 117};

  for (int code = -1; code <= 190; ++code) {
    const bool inRange = code >= 1 && code <= 187;
    EXPECT_EQ(IsErrorCodeDefined(code), inRange && !unusedErrors.count(code)) << "error " << code;
    const bool inNoticeRange = code >= 101 && code <= 117;
    EXPECT_EQ(IsNoticeCodeDefined(code), inNoticeRange && !unusedNotices.count(code))
        << "notice " << code;
  }
}

// Every message composes to a titled, non-empty text with all its markers
// filled. A detail is passed throughout; codes that take none ignore it.
TEST(ErrCodeTest, EveryDefinedMessageComposesCompletely) {
  std::vector<Message> messages;
  for (int code = 1; code <= 399; ++code)
    if (IsErrorCodeDefined(code)) messages.push_back(ComposeErrorMessage(code, false, "detail"));
  for (int code = 101; code <= 117; ++code)
    if (IsNoticeCodeDefined(code)) messages.push_back(ComposeNoticeMessage(code));
  for (int code = 200; code <= 206; ++code) messages.push_back(ComposeWarningMessage(code));
  // 153 first errors, 2 report-setup, 4 file, 2 measured-run and 2 recovery errors added
  // since, 14 notices, 7 warnings.
  ASSERT_EQ(messages.size(), 153u + 2u + 4u + 2u + 2u + 14u + 7u);

  for (const Message& m : messages) {
    SCOPED_TRACE(FormatMessageForConsole(m));
    EXPECT_FALSE(m.title.empty());
    EXPECT_FALSE(m.text.empty());
    EXPECT_EQ(m.text.find_first_of("{}"), std::string::npos);
    EXPECT_EQ(m.text.find('%'), std::string::npos);
  }
}

struct ExactCase {
  int code;
  const char* detail;
  const char* title;
  const char* text;
};

// Worked from the message list, character for character (trailing blanks matter).
const ExactCase kExactCases[] = {
    {42, nullptr, "Simulation Run Time Error",
     "The Brisca was unable to complete the simulation.\n"
     "A more balanced combination of engine components is required.\n"
     "Try increasing the induction flow, stroke length, or port flow.\n"
     "Also try reducing the camshaft duration."},
    {48, nullptr, "Invalid File Version",
     "The Brisca File you have selected was not created\n"
     "by this version of the Brisca program ( Version 4.2 ).\n\n"
     "Data files created with other versions of this program\n"
     "or with other simulation software are not compatible with\n"
     "this version of the Brisca Program.\n\n"
     "Please select a File created by this program."},
    {89, nullptr, "Out-of-Range Compression Ratio",
     "The Compression Ratio calculated is correct, but is \n"
     "not within the range of compression ratios allowable\n"
     "by the Brisca program.\n\n"
     "In order to run the simulation, Compression Ratios\n"
     "must be within the range of 6.00 to 18.00 ."},
    {99, nullptr, "Out-of-Range Airflow Rating Value",
     "The Induction Airflow Rating value is correct, but is \n"
     "not within the range of Induction Airflow ratings allowable\n"
     "by the Brisca program.\n\n"
     "In order to run the simulation, Induction Airflow ratings\n"
     "must be within the range of 100.00 to 4000.00 cfm."},
    {164, nullptr, "Contest Entry Error",
     "The Maximum number of contest submissions is 3 for this specific contest.\n"
     "You have already submitted 3 entries to the contest.\n\n"
     "Thank you for your submissions and good luck.\n"},
    {169, "0.950", "Out-of-Range Rod Ratio",
     "The Rod Length entered is valid and the calculated Rod Ratio value of \n"
     "0.950 is correct, but is not within the range of Rod Ratios allowable \n"
     "by the Brisca program.\n\n"
     "In order to run the simulation, Rod Ratios must be within the range\n"
     "of 1.0 to 3.0 ."},
    {170, "19.500 in", "Out-of-Range Rod Length",
     "The Rod Ratio entered is valid and the calculated Rod Length value of\n"
     "19.500 in is correct, but is not within the range of Rod Lengths allowable \n"
     "by the Brisca program.\n\n"
     "In order to run the simulation, Rod Lengths must be within the range\n"
     "of 1.000 to 18.000 inches (25.400 to 457.200 mm) ."},
    {145, nullptr, "Email Submission Error",
     "A problem has occured performing the requested email submission\n"
     "and must be terminated.\n\n"
     "For more information, refer to the Installation And Overview \n"
     "manual supplied with your software package.\n"},
    {149, "timed out", "Internet Communication Error",
     "An Internet file transmission request has failed. The current attempt to submit data\n"
     "must be terminated.\n\n"
     "Windows reports the problem to be:\n"
     "timed out\n\n"
     "For more information, refer to the Installation And Overview \n"
     "manual supplied with your software package.\n"},
};

TEST(ErrCodeTest, ComposesExactTexts) {
  for (const ExactCase& c : kExactCases) {
    SCOPED_TRACE(c.code);
    const Message m = ComposeErrorMessage(c.code, false, c.detail);
    EXPECT_EQ(m.kind, MessageKind::Error);
    EXPECT_EQ(m.code, c.code);
    EXPECT_EQ(m.title, c.title);
    EXPECT_EQ(m.text, c.text);
  }
}

TEST(ErrCodeTest, OptionalDetailBlockOnlyForNonEmptyDetail) {
  const std::string bare = ComposeErrorMessage(146).text;
  EXPECT_EQ(ComposeErrorMessage(146, false, "").text, bare);
  EXPECT_EQ(bare.find("Windows reports"), std::string::npos);
  EXPECT_NE(ComposeErrorMessage(146, false, "DNS failure").text.find(
                "Windows reports the problem to be:\nDNS failure\n\nFor more"),
            std::string::npos);
  EXPECT_NE(ComposeErrorMessage(145, false, "no mailer").text.find(
                "terminated.\n\nThe problem was determined to be caused by:\nno mailer\n\nFor more"),
            std::string::npos);
}

TEST(ErrCodeTest, VersionMessagesQuoteTheFileVersion) {
  for (int code : {47, 48, 49, 50}) {
    EXPECT_NE(ComposeErrorMessage(code).text.find(" ( Version 4.2 )"), std::string::npos) << code;
  }
}

// A desktop started in a German locale must not show "25,400".
TEST(ErrCodeTest, NumbersIgnoreTheProcessLocale) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.utf8"))
    GTEST_SKIP() << "no German locale installed";
  const std::string text = ComposeErrorMessage(170, false, "0.500 in").text;
  const std::string ratio = ComposeErrorMessage(89).text;
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_NE(text.find("1.000 to 18.000 inches (25.400 to 457.200 mm)"), std::string::npos);
  EXPECT_NE(ratio.find("6.00 to 18.00 ."), std::string::npos);
}

TEST(ErrCodeTest, ErrorIconAndButtonsFollowAskOkCancel) {
  ScriptedPresenter presenter({MessageButton::Ok, MessageButton::Cancel});
  ScopedPresenter installed(presenter);

  EXPECT_EQ(ReportErrorCode(42, false), MessageButton::Ok);
  EXPECT_EQ(ReportErrorCode(108, true, "file.qcm"), MessageButton::Cancel);

  ASSERT_EQ(presenter.Shown().size(), 2u);
  const Message& stop = presenter.Shown()[0];
  EXPECT_EQ(stop.code, 42);
  EXPECT_EQ(stop.icon, MessageIcon::Stop);
  EXPECT_EQ(stop.buttons, MessageButtons::Ok);
  const Message& ask = presenter.Shown()[1];
  EXPECT_EQ(ask.title, "Cam Search Error");
  EXPECT_EQ(ask.icon, MessageIcon::Information);
  EXPECT_EQ(ask.buttons, MessageButtons::OkCancel);
  EXPECT_EQ(ask.text.rfind("A problem has occured attempting to open the current Cam File:\n"
                           "file.qcm\n\nThe problem",
                           0),
            0u);
}

TEST(ErrCodeTest, NoticesAndWarningsHaveTheirOwnTitlesIconsAndButtons) {
  ScriptedPresenter presenter({MessageButton::Ok, MessageButton::Cancel, MessageButton::Cancel});
  ScopedPresenter installed(presenter);

  EXPECT_EQ(ReportNoticeCode(101), MessageButton::Ok);
  EXPECT_EQ(ReportNoticeCode(107, true), MessageButton::Cancel);
  EXPECT_EQ(ReportWarningCode(204), MessageButton::Cancel);
  EXPECT_EQ(ReportErrorCode(101), MessageButton::Ok);  // script used up: OK

  const std::vector<Message>& shown = presenter.Shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].kind, MessageKind::Notice);
  EXPECT_EQ(shown[0].title, "Important!");
  EXPECT_EQ(shown[0].icon, MessageIcon::Information);
  EXPECT_EQ(shown[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(shown[0].text.rfind("Cam timing values have been changed FROM\n", 0), 0u);
  EXPECT_EQ(shown[1].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(shown[2].kind, MessageKind::Warning);
  EXPECT_EQ(shown[2].title, "Warning!");
  EXPECT_EQ(shown[2].icon, MessageIcon::Warning);
  EXPECT_EQ(shown[2].buttons, MessageButtons::OkCancel);
  // Error 101 is not notice 101: the numbering spaces are separate.
  EXPECT_EQ(shown[3].title, "Data Zones Setup Error");
}

TEST(ErrCodeTest, SystemErrorShowsTheOperatingSystemsText) {
  ScriptedPresenter presenter;
  ScopedPresenter installed(presenter);

  EXPECT_EQ(ReportSystemError(ENOENT), MessageButton::Ok);

  ASSERT_EQ(presenter.Shown().size(), 1u);
  const Message& m = presenter.Shown()[0];
  EXPECT_EQ(m.kind, MessageKind::SystemError);
  EXPECT_EQ(m.code, ENOENT);
  EXPECT_EQ(m.title, "Error");
  EXPECT_EQ(m.text, std::strerror(ENOENT));
  EXPECT_EQ(m.icon, MessageIcon::Information);
  EXPECT_EQ(m.buttons, MessageButtons::Ok);
  EXPECT_FALSE(ComposeSystemErrorMessage(987654).text.empty());
}

TEST(ErrCodeTest, ConsoleFormOfAFileError) {
  EXPECT_EQ(FormatMessageForConsole(ComposeErrorMessage(45)),
            "Error 45: File Error: Unable to Read from the Selected File");
}

TEST(ErrCodeDeathTest, UndefinedCodesAndMissingDetailsAreFatal) {
  const auto fatal = testing::ExitedWithCode(kFatalAssertExitStatus % 256);
  EXPECT_EXIT(ComposeErrorMessage(0), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(ReportErrorCode(188), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(ReportErrorCode(80), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(ReportNoticeCode(110), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(ReportNoticeCode(118), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(ReportWarningCode(207), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(ReportErrorCode(108, true, nullptr), fatal, "ASSERTION FAILURE");
  EXPECT_EXIT(ReportErrorCode(170, false, ""), fatal, "ASSERTION FAILURE");
}

}  // namespace
}  // namespace brisca
