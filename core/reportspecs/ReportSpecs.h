#pragma once
// A document's report settings: which template the report fills, the heading
// texts it shows and the optional pieces it includes. A plain record owned by
// the engine document, stored as the last item of the engine file, edited by
// the report setup dialog; its defaults are kept in "Kalvex.INI" in the report
// folder.
//
// File names are names within the report folder, never paths: PathInFolder
// refuses anything else, so a shared engine file cannot make a report read
// files from elsewhere.
//
// The settings text (WriteText / ReadText), one item per line, "***" standing
// for an empty text:
//
//   <specified>
//   <test title> <company> <address 1> <address 2> <phone/fax> <email/web> <tester> <designer>
//   <include logo>  <logo file>
//   <include page bottom>  <page-bottom file>
//   <include table of contents>
//   <include glossary>  <full glossary>  <mini glossary>
//
// The input, output, table-of-contents and glossary file names are not
// stored: reading leaves them as they are (Reset's values, where the engine
// file or LoadDefaults reads).

#include <filesystem>
#include <string>
#include <string_view>

namespace brisca {

class TextReader;
class TextWriter;

//! Numbered messages of Validate (ReportErrorCode, "Kalvex Error").
enum ReportSpecsErrorCode : int {
  kErrReportInputFile = 131,
  kErrReportOutputFile = 132,
  kErrReportLogoFile = 133,
  kErrReportPageBottomFile = 134,
  kErrReportTocFile = 137,
  kErrReportFullGlossaryFile = 138,
  kErrReportMiniGlossaryFile = 139,
};

//! Fixed names in the report folder.
inline constexpr const char* kReportTempFile = "DefaultTempFile.html";
inline constexpr const char* kReportLeftChartFile = "DefaultLeftChart.bmp";
inline constexpr const char* kReportRightChartFile = "DefaultRightChart.bmp";
inline constexpr const char* kReportNullLogoFile = "DefaultNullLogo.bmp";
inline constexpr const char* kReportDefaultsFile = "Kalvex.INI";

struct ReportSpecs {
  bool specified = false;           //!< set up for this document (defaults loaded or edited)
  std::string inputFile;            //!< template file name
  std::string outputFile;           //!< report file name
  std::string testTitle;            //!< "Test/Engine Title"
  std::string company;              //!< "Company/Name"
  std::string addressLine1;         //!< "Address Line 1"
  std::string addressLine2;         //!< "Address Line 2"
  std::string phoneFax;             //!< "Phone/Fax"
  std::string emailWeb;             //!< "Email/Web"
  std::string tester;               //!< "Engine Tester"
  std::string designer;             //!< "Engine Designer"
  bool includeLogo = true;
  std::string logoFile;             //!< image file name
  bool includePageBottom = false;
  std::string pageBottomFile;       //!< text placed at the bottom of the report
  bool includeTableOfContents = false;
  std::string tableOfContentsFile;
  bool includeGlossary = false;
  bool fullGlossary = false;        //!< the full glossary is chosen
  std::string fullGlossaryFile;
  bool miniGlossary = true;         //!< the mini glossary is chosen
  std::string miniGlossaryFile;

  //! The cleared settings (as constructed): nothing specified, empty texts,
  //! logo and mini glossary chosen, nothing else included.
  void Clear();
  //! The built-in defaults with `title` as test title: specified, the default
  //! file names, logo, page bottom, table of contents and full glossary included.
  void Reset(std::string_view title);
  void CopyFrom(const ReportSpecs& other) { *this = other; }

  //! First failure, in this order: input file 131, output file 132, logo 133
  //! (when included), page bottom 134 (when included), table of contents 137
  //! (when included); with the glossary included, full glossary 138 and mini
  //! glossary 139 (when chosen). A name fails when it is empty or not a plain
  //! file name (IsPlainFileName).
  bool Validate(int& code) const;

  //! The settings text; a refused write throws FileError 44.
  void WriteText(TextWriter& out) const;
  //! Reads the settings text: a missing or unreadable line throws FileError 45.
  //! Text lines are trimmed at their end and "***" reads as empty. On any
  //! FileError the record is left exactly as it was.
  void ReadText(TextReader& in);

  //! Reset(title); then, when `reportFolder`/Kalvex.INI can be opened, reads it
  //! and sets the test title to `title` again. False without a message when the
  //! file cannot be opened; a read or close failure is reported (45, 46) and
  //! gives false, leaving Reset's values.
  bool LoadDefaults(std::string_view title, const std::filesystem::path& reportFolder);
  //! Writes the settings text to `reportFolder`/Kalvex.INI through a temporary
  //! file renamed over it, creating the folder when missing. Reports 43, 44 or
  //! 46 and returns false on failure; the old file is then left as it was.
  bool SaveDefaults(const std::filesystem::path& reportFolder) const;

  //! A name with no folder part: not empty, not "." or "..", no '/' or '\'.
  static bool IsPlainFileName(std::string_view name);
  //! `folder`/`name` for a plain file name; an empty path for anything else,
  //! which no file operation opens.
  static std::filesystem::path PathInFolder(const std::filesystem::path& folder, std::string_view name);
  std::filesystem::path InputPath(const std::filesystem::path& reportFolder) const {
    return PathInFolder(reportFolder, inputFile);
  }
  std::filesystem::path OutputPath(const std::filesystem::path& reportFolder) const {
    return PathInFolder(reportFolder, outputFile);
  }
  static std::filesystem::path TempPath(const std::filesystem::path& reportFolder) {
    return reportFolder / kReportTempFile;
  }
  static std::filesystem::path LeftChartPath(const std::filesystem::path& reportFolder) {
    return reportFolder / kReportLeftChartFile;
  }
  static std::filesystem::path RightChartPath(const std::filesystem::path& reportFolder) {
    return reportFolder / kReportRightChartFile;
  }
  static std::filesystem::path DefaultsPath(const std::filesystem::path& reportFolder) {
    return reportFolder / kReportDefaultsFile;
  }

  friend bool operator==(const ReportSpecs&, const ReportSpecs&) = default;
};

}  // namespace brisca
