#pragma once
// Finding cam files: a folder walked recursively, each ".qcm" file matched
// against the name words, the words of a phrase in its text, and event ranges
// of one of its lobes. The walk runs on any thread: it shows no message and
// asks its caller (through callbacks) what to do about an unreadable file, and
// it ends after the entry being processed once asked to stop.

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/spec/FloatPtSpec.h"
#include "core/valvetrain/CamTypes.h"

namespace brisca {

class CCamshaft;
class CCamProfile;

//! The events a spec row can look for: "(None)", then IVO, IVC, EVO, EVC
//! seat-to-seat and IVO, IVC, EVO, EVC 0.050-inch.
inline constexpr int kCamSpecChoiceCount = 9;
inline constexpr int kCamSpecRowCount = 4;
//! The list text of a choice (0 "(None)", 1..8 the events).
const char* CamSpecChoiceName(int choice);
//! The convention (1, 2) and event of a choice 1..8 (FatalAssert otherwise).
int CamSpecChoiceMethod(int choice);
CamEvent CamSpecChoiceEvent(int choice);

//! Numbered errors of the search.
enum CamSearchError : int {
  kErrSearchNoFolder = 102,     //!< no folder to search
  kErrSearchSpecValue = 103,    //!< a range without a valid From or To
  kErrSearchSpecOrder = 104,    //!< To below From
  kErrSearchUnreadable = 108,   //!< a cam file could not be read (OK goes on, Cancel stops)
};

//! One "Find the following specs:" row: an event and its From..To range.
class CamSpecRow {
 public:
  CamSpecRow();
  int Choice() const { return choice_; }
  //! Chooses an event: From and To take its limits and are preset to the
  //! value of that event in `lobeCopy` (the copy of the event's convention)
  //! minus and plus 2 degrees within the limits; "(None)" (0) clears them.
  void Choose(int choice, const CCamProfile* lobeCopy);
  CFloatPtSpec& From() { return from_; }
  const CFloatPtSpec& From() const { return from_; }
  CFloatPtSpec& To() { return to_; }
  const CFloatPtSpec& To() const { return to_; }

 private:
  int choice_ = 0;
  CFloatPtSpec from_;
  CFloatPtSpec to_;
};

struct CamSearchCriteria {
  std::string nameWords;         //!< "All or parts of the file name:"
  std::string phrase;            //!< "A word or phrase in the file:"
  std::filesystem::path folder;  //!< "Look in:"
  bool useSpecs = false;         //!< "Find the following specs:"
  std::array<CamSpecRow, kCamSpecRowCount> rows;
  bool highSpeedLobes = false;   //!< "Search High Speed Lobes"

  //! The error that stops a search from starting (102, 103, 104), or 0.
  int StartCheck() const;
  //! Spec rows take part: the box is ticked and a row names an event.
  bool SpecsActive() const;
};

//! Every blank-separated word of `words` (lower-cased, first 255 characters)
//! occurs in the lower-cased `text`. No words: true.
bool ContainsAllWords(std::string_view words, std::string_view text);
//! The lobe of `camshaft` the criteria examine has every active row's event
//! in range. The high-speed lobe must validate.
bool SpecsMatch(const CamSearchCriteria& criteria, const CCamshaft& camshaft);

//! What a search reports as it goes.
struct CamSearchProgress {
  std::int64_t filesSearched = 0;
  std::int64_t matchesFound = 0;
};

struct CamSearchCallbacks {
  //! A matching file: its name and folder.
  std::function<void(const std::string& name, const std::filesystem::path& folder)> match;
  //! After each entry.
  std::function<void(const CamSearchProgress&)> progress;
  //! A file that had to be read as a camshaft could not be: true goes on,
  //! false stops the search.
  std::function<bool(const std::filesystem::path& file)> unreadable;
};

//! Walks `criteria.folder` recursively in directory order; every file counts
//! as searched. Stops after the current entry once `stop` is set. Returns the
//! final counters.
CamSearchProgress SearchCamFiles(const CamSearchCriteria& criteria, const std::atomic<bool>& stop,
                                 const CamSearchCallbacks& callbacks);

}  // namespace brisca
