#include "core/valvetrain/CamSearch.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <system_error>

#include "core/base/DataFile.h"
#include "core/base/FatalAssert.h"
#include "core/base/FileError.h"
#include "core/base/TextFile.h"
#include "core/base/TextReader.h"
#include "core/valvetrain/Camshaft.h"

namespace brisca {
namespace {

namespace fs = std::filesystem;

constexpr const char* kChoiceNames[kCamSpecChoiceCount] = {
    "(None)",       "IVO (Seat-To-Seat)", "IVC (Seat-To-Seat)", "EVO (Seat-To-Seat)",
    "EVC (Seat-To-Seat)", "IVO (0.050-inch)",   "IVC (0.050-inch)",   "EVO (0.050-inch)",
    "EVC (0.050-inch)"};
constexpr std::size_t kMaxCriterionLength = 255;
constexpr float kPresetMargin = 2.0f;  // [deg] either side of the current value
constexpr const char* kCamExtension = ".qcm";

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

CFloatPtSpec RangeValue(const char* label) {
  const EventLimits limits = CamEventLimits(kSeatToSeat, kIVO);
  return CFloatPtSpec(label, UnitDegree, limits.min, limits.max, UnitDegree, kSameUnit);
}

bool EndsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The event of `row` in `lobe`: from the set in the row's convention.
const CFloatPtSpec* RowEvent(const CamSpecRow& row, const CCamProfile& lobe) {
  const int method = CamSpecChoiceMethod(row.Choice());
  const CamEvent event = CamSpecChoiceEvent(row.Choice());
  for (TimingSet set : {TimingSet::Primary, TimingSet::Secondary}) {
    const CPartTypeSpec& m = lobe.Method(set);
    if (m.IsValid() && m.GetValue() == method) return &lobe.Event(set, event);
  }
  return nullptr;
}

enum class FileVerdict { Match, NoMatch, Stop };

FileVerdict MatchFile(const CamSearchCriteria& criteria, const fs::path& file,
                      const CamSearchCallbacks& callbacks) {
  const std::string name = file.filename().string();
  const std::string lowerName = Lower(name);
  if (!EndsWith(lowerName, kCamExtension)) return FileVerdict::NoMatch;
  if (!ContainsAllWords(criteria.nameWords, lowerName)) return FileVerdict::NoMatch;
  const bool phrase = !criteria.phrase.empty();
  const bool specs = criteria.SpecsActive();
  if (!phrase && !specs) return FileVerdict::Match;

  std::string text;
  try {
    text = TextModeLineEnds(ReadTextFile(file, "CamSearch"));
  } catch (const FileError&) {
    if (!specs) return FileVerdict::NoMatch;
    return callbacks.unreadable && !callbacks.unreadable(file) ? FileVerdict::Stop
                                                               : FileVerdict::NoMatch;
  }
  if (phrase && !ContainsAllWords(criteria.phrase, Lower(text))) return FileVerdict::NoMatch;
  if (!specs) return FileVerdict::Match;

  CCamshaft camshaft;
  try {
    TextReader reader(text);
    camshaft.ReadText(reader);
  } catch (const FileError&) {
    return callbacks.unreadable && !callbacks.unreadable(file) ? FileVerdict::Stop
                                                               : FileVerdict::NoMatch;
  }
  return SpecsMatch(criteria, camshaft) ? FileVerdict::Match : FileVerdict::NoMatch;
}

}  // namespace

const char* CamSpecChoiceName(int choice) {
  BRISCA_ASSERT(choice >= 0 && choice < kCamSpecChoiceCount);
  return kChoiceNames[choice];
}

int CamSpecChoiceMethod(int choice) {
  BRISCA_ASSERT(choice >= 1 && choice < kCamSpecChoiceCount);
  return choice <= kCamEventCount ? kSeatToSeat : kFiftyThou;
}

CamEvent CamSpecChoiceEvent(int choice) {
  BRISCA_ASSERT(choice >= 1 && choice < kCamSpecChoiceCount);
  return static_cast<CamEvent>((choice - 1) % kCamEventCount);
}

CamSpecRow::CamSpecRow() : from_(RangeValue("From")), to_(RangeValue("To")) {}

void CamSpecRow::Choose(int choice, const CCamProfile* lobeCopy) {
  BRISCA_ASSERT(choice >= 0 && choice < kCamSpecChoiceCount);
  choice_ = choice;
  from_.ResetValue();
  to_.ResetValue();
  if (choice == 0) return;
  const EventLimits limits = CamEventLimits(CamSpecChoiceMethod(choice), CamSpecChoiceEvent(choice));
  from_.SetLimits(limits.min, limits.max);
  to_.SetLimits(limits.min, limits.max);
  if (lobeCopy == nullptr) return;
  const CFloatPtSpec* value = RowEvent(*this, *lobeCopy);
  if (value == nullptr || !value->IsValid()) return;
  from_.SetValue(std::max(limits.min, value->GetValue() - kPresetMargin));
  to_.SetValue(std::min(limits.max, value->GetValue() + kPresetMargin));
}

bool CamSearchCriteria::SpecsActive() const {
  return useSpecs && std::any_of(rows.begin(), rows.end(),
                                 [](const CamSpecRow& row) { return row.Choice() != 0; });
}

int CamSearchCriteria::StartCheck() const {
  if (folder.empty()) return kErrSearchNoFolder;
  if (!useSpecs) return 0;
  for (const CamSpecRow& row : rows) {
    if (row.Choice() == 0) continue;
    if (!row.From().IsValid() || !row.To().IsValid()) return kErrSearchSpecValue;
    if (row.To().GetValue() < row.From().GetValue()) return kErrSearchSpecOrder;
  }
  return 0;
}

bool ContainsAllWords(std::string_view words, std::string_view text) {
  std::istringstream in(Lower(words.substr(0, kMaxCriterionLength)));
  std::string word;
  while (in >> word)
    if (text.find(word) == std::string_view::npos) return false;
  return true;
}

bool SpecsMatch(const CamSearchCriteria& criteria, const CCamshaft& camshaft) {
  const CCamProfile& lobe = criteria.highSpeedLobes ? camshaft.highSpeedLobe : camshaft.lowSpeedLobe;
  int code = 0;
  if (criteria.highSpeedLobes && !lobe.Validate(code)) return false;
  for (const CamSpecRow& row : criteria.rows) {
    if (row.Choice() == 0) continue;
    const CFloatPtSpec* event = RowEvent(row, lobe);
    if (event == nullptr || !event->IsValid()) return false;
    const float v = event->GetValue();
    if (v < row.From().GetValue() || v > row.To().GetValue()) return false;
  }
  return true;
}

CamSearchProgress SearchCamFiles(const CamSearchCriteria& criteria, const std::atomic<bool>& stop,
                                 const CamSearchCallbacks& callbacks) {
  CamSearchProgress progress;
  std::error_code error;
  fs::recursive_directory_iterator it(criteria.folder,
                                      fs::directory_options::skip_permission_denied, error);
  const fs::recursive_directory_iterator end;
  while (!error && it != end && !stop.load()) {
    const fs::directory_entry entry = *it;
    std::error_code typeError;
    if (!entry.is_directory(typeError)) {
      ++progress.filesSearched;
      const FileVerdict verdict = MatchFile(criteria, entry.path(), callbacks);
      if (verdict == FileVerdict::Match) {
        ++progress.matchesFound;
        if (callbacks.match) callbacks.match(entry.path().filename().string(), entry.path().parent_path());
      }
      if (callbacks.progress) callbacks.progress(progress);
      if (verdict == FileVerdict::Stop) break;
    } else if (callbacks.progress) {
      callbacks.progress(progress);
    }
    it.increment(error);
  }
  return progress;
}

}  // namespace brisca
