#include "core/reportspecs/ReportSetup.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>

#include "core/base/ErrCode.h"
#include "core/base/FatalAssert.h"
#include "core/base/MessagePresenter.h"

namespace brisca {
namespace {

constexpr const char* kSaveQuestionTitle = "Kalvex";
constexpr const char* kSaveQuestion =
    "Do you want to change the default settings for Kalvex setup? \n\n"
    "This change will affect new documents and documents without Kalvex settings specified.";

std::string Trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r\n\f\v";
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

ReportSetup::ReportSetup(std::string title, const ReportSpecs& settings, std::filesystem::path reportFolder)
    : title_(std::move(title)), copy_(settings), reportFolder_(std::move(reportFolder)) {
  if (!copy_.specified && !copy_.LoadDefaults(title_, reportFolder_)) copy_.Reset(title_);
}

template <class Specs>
auto& ReportSetup::TextOf(Specs& settings, Text which) {
  switch (which) {
    case Text::TestTitle: return settings.testTitle;
    case Text::Company: return settings.company;
    case Text::AddressLine1: return settings.addressLine1;
    case Text::AddressLine2: return settings.addressLine2;
    case Text::PhoneFax: return settings.phoneFax;
    case Text::EmailWeb: return settings.emailWeb;
    case Text::Tester: return settings.tester;
    case Text::Designer: return settings.designer;
    case Text::LogoFile: return settings.logoFile;
    case Text::PageBottomFile: return settings.pageBottomFile;
  }
  FatalAssert(__FILE__, __LINE__);
}

std::string ReportSetup::GetText(Text which) const { return TextOf(copy_, which); }

void ReportSetup::SetText(Text which, std::string_view text) { TextOf(copy_, which) = Trimmed(text); }

bool ReportSetup::GetFlag(Flag which) const {
  switch (which) {
    case Flag::Logo: return copy_.includeLogo;
    case Flag::PageBottom: return copy_.includePageBottom;
    case Flag::TableOfContents: return copy_.includeTableOfContents;
    case Flag::Glossary: return copy_.includeGlossary;
  }
  return false;
}

void ReportSetup::SetFlag(Flag which, bool on) {
  switch (which) {
    case Flag::Logo: copy_.includeLogo = on; break;
    case Flag::PageBottom: copy_.includePageBottom = on; break;
    case Flag::TableOfContents: copy_.includeTableOfContents = on; break;
    case Flag::Glossary: copy_.includeGlossary = on; break;
  }
}

ReportSetup::Glossary ReportSetup::GetGlossary() const {
  if (copy_.fullGlossary) return Glossary::Full;
  return copy_.miniGlossary ? Glossary::Mini : Glossary::None;
}

void ReportSetup::SetGlossary(Glossary choice) {
  copy_.fullGlossary = choice == Glossary::Full;
  copy_.miniGlossary = choice == Glossary::Mini;
}

namespace {

bool SameContents(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::ifstream first(a, std::ios::binary);
  std::ifstream second(b, std::ios::binary);
  if (!first || !second) return false;
  return std::equal(std::istreambuf_iterator<char>(first), std::istreambuf_iterator<char>(),
                    std::istreambuf_iterator<char>(second), std::istreambuf_iterator<char>());
}

}  // namespace

bool ReportSetup::ChooseFile(Text which, const std::filesystem::path& chosen) {
  namespace fs = std::filesystem;
  const std::string name = chosen.filename().string();
  const fs::path target = reportFolder_ / name;
  std::error_code ec;
  if (!fs::equivalent(chosen, target, ec)) {
    // The report names the file without a folder: it must lie in the report folder.
    const bool there = fs::exists(target, ec);
    if (there && !SameContents(chosen, target) &&
        ReportErrorCode(340, true, name.c_str()) != MessageButton::Ok) {
      return false;
    }
    if (!there || !SameContents(chosen, target)) {
      fs::create_directories(reportFolder_, ec);
      ec.clear();
      fs::copy_file(chosen, target, fs::copy_options::overwrite_existing, ec);
      if (ec) {
        const std::string detail = target.string() + "\n" + ec.message();
        ReportErrorCode(341, false, detail.c_str());
        return false;
      }
    }
  }
  SetText(which, name);
  return true;
}

void ReportSetup::ResetAll() {
  copy_.Clear();
  copy_.Reset(title_);
}

bool ReportSetup::RecallSaved() {
  const bool read = copy_.LoadDefaults(title_, reportFolder_);
  // No saved file leaves the built-in defaults, which is what Recall shows then.
  std::error_code ec;
  const auto type = std::filesystem::status(ReportSpecs::DefaultsPath(reportFolder_), ec).type();
  return read || type == std::filesystem::file_type::not_found;
}

bool ReportSetup::ValidateAndReport() const {
  int code = 0;
  if (copy_.Validate(code)) return true;
  ReportErrorCode(code);
  return false;
}

bool ReportSetup::Save() {
  BRISCA_ASSERT(copy_.specified);
  if (!ValidateAndReport()) return false;
  if (!AskYesNo(kSaveQuestionTitle, kSaveQuestion)) return false;
  return copy_.SaveDefaults(reportFolder_);
}

bool ReportSetup::Accept(ReportSpecs& target) const {
  if (!ValidateAndReport()) return false;
  target.CopyFrom(copy_);
  return true;
}

}  // namespace brisca
