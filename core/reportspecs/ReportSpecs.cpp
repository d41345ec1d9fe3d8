#include "core/reportspecs/ReportSpecs.h"

#include <string>
#include <utility>

#include "core/base/FileError.h"
#include "core/base/NumberText.h"
#include "core/spec/SimSpec.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {
namespace {

constexpr const char* kWriteWhere = "ReportSpecs::WriteText";
constexpr const char* kReadWhere = "ReportSpecs::ReadText";

// One text line as written: "***" for a text that would read back empty, line
// breaks turned into blanks so that the text stays on its one line.
std::string TextLine(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    if (c == '\n' || c == '\r') c = ' ';
  if (TrimTrailingSpace(line).empty()) return kUnassignedText;
  return line;
}

// The whole line, trimmed at its end; "***" is an empty text. Lines are taken
// whole whatever their length, so a long text never spills into the next item.
std::string ReadTextLine(TextReader& in) {
  std::string text = TrimTrailingSpace(in.ReadLine(kReadWhere));
  if (text == kUnassignedText) text.clear();
  return text;
}

// "%d" and the rest of its line, which may hold only white space. Blank lines
// before the number are skipped, as scanf does.
bool ReadFlagLine(TextReader& in) {
  const int value = in.ScanInt(kReadWhere);
  if (!in.AtEnd() && !TrimTrailingSpace(in.ReadLine(kReadWhere)).empty())
    throw FileError(kErrRead, kReadWhere);
  return value != 0;
}

}  // namespace

void ReportSpecs::Clear() { *this = ReportSpecs(); }

void ReportSpecs::Reset(std::string_view title) {
  Clear();
  specified = true;
  inputFile = "DefaultFileInput.html";
  outputFile = "DefaultFileOutput.html";
  testTitle = title;
  includeLogo = true;
  logoFile = "DefaultLogo.bmp";
  includePageBottom = true;
  pageBottomFile = "DefaultCopyright.txt";
  includeTableOfContents = true;
  tableOfContentsFile = "DefaultToc.html";
  includeGlossary = true;
  fullGlossary = true;
  fullGlossaryFile = "DefaultFullGlossary.html";
  miniGlossary = false;
  miniGlossaryFile = "DefaultMiniGlossary.html";
}

bool ReportSpecs::Validate(int& code) const {
  struct Check {
    bool applies;
    const std::string& name;
    int code;
  };
  const Check checks[] = {
      {true, inputFile, kErrReportInputFile},
      {true, outputFile, kErrReportOutputFile},
      {includeLogo, logoFile, kErrReportLogoFile},
      {includePageBottom, pageBottomFile, kErrReportPageBottomFile},
      {includeTableOfContents, tableOfContentsFile, kErrReportTocFile},
      {includeGlossary && fullGlossary, fullGlossaryFile, kErrReportFullGlossaryFile},
      {includeGlossary && miniGlossary, miniGlossaryFile, kErrReportMiniGlossaryFile},
  };
  for (const Check& check : checks) {
    if (check.applies && !IsPlainFileName(check.name)) {
      code = check.code;
      return false;
    }
  }
  code = 0;
  return true;
}

void ReportSpecs::WriteText(TextWriter& out) const {
  const auto flag = [&out](bool on) { out.WriteInt(on ? 1 : 0, kWriteWhere); };
  const auto text = [&out](const std::string& value) { out.WriteLine(TextLine(value), kWriteWhere); };
  flag(specified);
  for (const std::string* value :
       {&testTitle, &company, &addressLine1, &addressLine2, &phoneFax, &emailWeb, &tester, &designer})
    text(*value);
  flag(includeLogo);
  text(logoFile);
  flag(includePageBottom);
  text(pageBottomFile);
  flag(includeTableOfContents);
  flag(includeGlossary);
  flag(fullGlossary);
  flag(miniGlossary);
}

void ReportSpecs::ReadText(TextReader& in) {
  ReportSpecs read = *this;
  read.specified = ReadFlagLine(in);
  for (std::string* value : {&read.testTitle, &read.company, &read.addressLine1, &read.addressLine2,
                             &read.phoneFax, &read.emailWeb, &read.tester, &read.designer})
    *value = ReadTextLine(in);
  read.includeLogo = ReadFlagLine(in);
  read.logoFile = ReadTextLine(in);
  read.includePageBottom = ReadFlagLine(in);
  read.pageBottomFile = ReadTextLine(in);
  read.includeTableOfContents = ReadFlagLine(in);
  read.includeGlossary = ReadFlagLine(in);
  read.fullGlossary = ReadFlagLine(in);
  read.miniGlossary = ReadFlagLine(in);
  *this = std::move(read);
}

bool ReportSpecs::IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return name.find_first_of("/\\") == std::string_view::npos;
}

std::filesystem::path ReportSpecs::PathInFolder(const std::filesystem::path& folder,
                                                std::string_view name) {
  if (!IsPlainFileName(name)) return {};
  return folder / std::filesystem::path(std::string(name));
}

}  // namespace brisca
