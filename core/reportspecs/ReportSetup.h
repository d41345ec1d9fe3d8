#pragma once
// What the report setup dialog does to a document's report settings, apart
// from its widgets: it works on a copy, fills a copy that was never set up
// from the saved defaults, keeps every text trimmed, and writes the copy back
// only when it validates.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/reportspecs/ReportSpecs.h"

namespace brisca {

class ReportSetup {
 public:
  //! The dialog's edits hold at most this many characters.
  static constexpr int kMaxTextLength = 100;

  enum class Text {
    TestTitle,
    Company,
    AddressLine1,
    AddressLine2,
    PhoneFax,
    EmailWeb,
    Tester,
    Designer,
    LogoFile,
    PageBottomFile,
  };
  enum class Flag { Logo, PageBottom, TableOfContents, Glossary };
  enum class Glossary { None, Full, Mini };

  //! Opening: a copy of `settings`; when that was never set up, the saved
  //! defaults with `title`, or the built-in ones when none can be read.
  ReportSetup(std::string title, const ReportSpecs& settings, std::filesystem::path reportFolder);

  const ReportSpecs& Settings() const { return copy_; }
  const std::string& Title() const { return title_; }
  const std::filesystem::path& ReportFolder() const { return reportFolder_; }

  std::string GetText(Text which) const;
  //! Stores `text` trimmed at both ends; nothing is checked here.
  void SetText(Text which, std::string_view text);
  bool GetFlag(Flag which) const;
  void SetFlag(Flag which, bool on);

  //! The chosen glossary. Both flags set (a hand-edited file) reads as the
  //! full glossary, the one the report then includes.
  Glossary GetGlossary() const;
  void SetGlossary(Glossary choice);

  //! The logo's edit and "Browse..." follow its check box; so do the page
  //! bottom's; the glossary choice follows "Include Glossary:".
  bool LogoFileEnabled() const { return copy_.includeLogo; }
  bool PageBottomFileEnabled() const { return copy_.includePageBottom; }
  bool GlossaryChoiceEnabled() const { return copy_.includeGlossary; }

  //! "Browse...": keeps the chosen file's name without its folder, and puts
  //! a file chosen elsewhere into the report folder, where the report looks
  //! for it. A different file of that name there is replaced only when the
  //! user agrees (340); a copy that fails is reported (341). False (the
  //! setting unchanged) when the file was not put there.
  bool ChooseFile(Text which, const std::filesystem::path& chosen);

  //! "Reset All": the built-in defaults with the title.
  void ResetAll();
  //! "Recall Saved": the saved defaults with the title (the built-in ones when
  //! there is no "Kalvex.INI"). False when a saved file could not be read.
  bool RecallSaved();
  //! "Save": reports the first validation failure and asks nothing; otherwise
  //! asks whether the defaults should change and, on Yes, writes "Kalvex.INI".
  //! True when the file was written.
  bool Save();
  //! "OK": reports the first validation failure and returns false; otherwise
  //! copies the settings into `target` and returns true.
  bool Accept(ReportSpecs& target) const;

 private:
  template <class Specs>
  static auto& TextOf(Specs& settings, Text which);
  bool ValidateAndReport() const;

  std::string title_;
  ReportSpecs copy_;
  std::filesystem::path reportFolder_;
};

}  // namespace brisca
