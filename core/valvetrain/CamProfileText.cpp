// The profile text: one cam lobe set as lines of the cam and engine files.
//
//   4.2                       version (older versions accepted on reading)
//   0                         units flag: the text always holds inches
//   <name> / <code>           "Camshaft Type", "Camshaft Lifter Type", primary method
//   <flag> <value>  x4        intake and exhaust advance, intake and exhaust lift [in]
//   <0|1>                     autoValveLift
//   <flag> <value>  x4        primary IVO, IVC, EVO, EVC
//   <name> / <code>           secondary method              } not in the
//   <flag> <value>  x5        secondary events, ramp rate   } 3.xx versions
//   <0|1>                     autoRampRate                  }
//   <text>          x8        "***" for an empty text       }
//
// An unassigned part type is written as "***" with its code and reads back
// unassigned.

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "core/base/FileError.h"
#include "core/base/NumberText.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"
#include "core/valvetrain/CamProfile.h"

namespace brisca {
namespace {

constexpr const char* kWrite = "CCamProfile::WriteText";
constexpr const char* kRead = "CCamProfile::ReadText";
constexpr const char* kCurrentVersion = "4.2";
// Versions of the full layout, then those that end after the primary events.
constexpr std::array<std::string_view, 5> kFullVersions = {"4.2", "4.11", "4.10", "4.06", "4.05"};
constexpr std::array<std::string_view, 5> kShortVersions = {"3.10", "3.08", "3.07", "3.06",
                                                            "3.05"};
// fgets buffer of the version line, less its terminating NUL.
constexpr std::size_t kVersionLineChars = 1023;

void WritePartType(TextWriter& out, const CPartTypeSpec& spec) {
  out.WriteLine(spec.GetText(), kWrite);
  out.WriteInt(spec.GetValue(), kWrite);
}

void WriteDomestic(TextWriter& out, const CFloatPtSpec& spec) {
  CFloatPtSpec copy = spec;  // the copy keeps the flag: an assigned spec is always valid
  copy.ToDomestic();
  copy.Write(out);
}

std::string Trimmed(std::string_view text) {
  std::string line = TrimTrailingSpace(text);
  line.erase(0, CountLeadingSpace(line));
  return line;
}

// A "%d\n" flag line holding 0 or 1.
bool ReadFlag(TextReader& in) {
  const int flag = in.ScanIntLine(kRead);
  if (flag != 0 && flag != 1) throw FileError(kErrInvalidValue, kRead);
  return flag == 1;
}

std::string ReadCamTextLine(TextReader& in, const char* where) {
  // One more than the longest text, for its newline.
  std::string line = in.ReadLine(where, kMaxCamTextLength + 1);
  // A line that does not end within the buffer would leave its tail to be
  // taken for the next item: refuse the file instead of misreading it.
  if (line.back() != '\n' && !in.AtEnd()) throw FileError(kErrRead, where);
  return TrimTrailingSpace(line);
}

// Reads a part type as WritePartType wrote it. "***" (or a blank name) is an
// unassigned part type; returns false then. The code must be in range (47).
bool ReadPartType(TextReader& in, CPartTypeSpec& spec) {
  const std::string name = ReadCamTextLine(in, kRead);
  const int code = in.ScanIntLine(kRead);
  if (!spec.InRange(code)) throw FileError(kErrInvalidValue, kRead);
  if (name.empty() || name == kUnassignedText) {
    spec = CPartTypeSpec(spec.GetLabel(), spec.GetMin(), spec.GetMax());
    return false;
  }
  if (!spec.SetSelection(code, name)) throw FileError(kErrInvalidValue, kRead);
  return true;
}

}  // namespace

std::string ReadCamVersionLine(TextReader& in, const char* where) {
  return Trimmed(in.ReadLine(where, kVersionLineChars));
}

void CCamProfile::WriteText(TextWriter& out) const {
  out.WriteLine(kCurrentVersion, kWrite);
  out.WriteInt(0, kWrite);
  WritePartType(out, camType_);
  WritePartType(out, lifterType_);
  WritePartType(out, primary_.method);
  intakeAdvance_.Write(out);
  exhaustAdvance_.Write(out);
  WriteDomestic(out, intakeLift_);
  WriteDomestic(out, exhaustLift_);
  out.WriteInt(autoValveLift_ ? 1 : 0, kWrite);
  for (const CFloatPtSpec& e : primary_.events) e.Write(out);
  WritePartType(out, secondary_.method);
  for (const CFloatPtSpec& e : secondary_.events) e.Write(out);
  rampRate_.Write(out);
  out.WriteInt(autoRampRate_ ? 1 : 0, kWrite);
  for (const std::string& text : texts_) out.WriteLine(text.empty() ? kUnassignedText : text, kWrite);
}

void CCamProfile::ReadText(TextReader& in) {
  // Read into a copy: a failure part-way leaves this profile as it was.
  CCamProfile read(*this);
  read.ReadBody(in);
  CopyFrom(read);
  modified_ = false;
}

void CCamProfile::ReadBody(TextReader& in) {
  SetUnits(false);
  const std::string version = ReadCamVersionLine(in, kRead);
  const bool full =
      std::find(kFullVersions.begin(), kFullVersions.end(), version) != kFullVersions.end();
  if (!full && std::find(kShortVersions.begin(), kShortVersions.end(), version) ==
                   kShortVersions.end())
    throw FileError(kErrCamVersion, kRead);
  const bool metric = ReadFlag(in);

  ReadPartType(in, camType_);
  ReadPartType(in, lifterType_);
  if (ReadPartType(in, primary_.method)) {
    SetPrimaryMethod(primary_.method.GetValue());
  } else {
    UnassignMethod(primary_);
  }
  intakeAdvance_.Read(in);
  exhaustAdvance_.Read(in);
  intakeLift_.Read(in);
  exhaustLift_.Read(in);
  autoValveLift_ = ReadFlag(in);
  for (CFloatPtSpec& e : primary_.events) e.Read(in);

  if (full) {
    if (ReadPartType(in, secondary_.method)) {
      SetSecondaryMethod(secondary_.method.GetValue());
    } else {
      UnassignMethod(secondary_);
    }
    for (CFloatPtSpec& e : secondary_.events) e.Read(in);
    rampRate_.Read(in);
    autoRampRate_ = ReadFlag(in);
    for (int t = 0; t < kCamTextCount; ++t) {
      const std::string text = ReadCamTextLine(in, kRead);
      SetText(static_cast<CamText>(t), text == kUnassignedText ? std::string() : text);
    }
  } else {
    // The old layout held one timing set; the other convention starts empty.
    if (primary_.method.IsValid()) {
      SetSecondaryMethod(OtherTimingMethod(primary_.method.GetValue()));
    } else {
      UnassignMethod(secondary_);
    }
    for (CFloatPtSpec& e : secondary_.events) e.ResetValue();
  }
  // Both sets in one convention would leave no seat-to-seat / 0.050-inch pair
  // for the ramp rate or a timing change to work with.
  if (primary_.method.IsValid() && secondary_.method.IsValid() &&
      primary_.method.GetValue() == secondary_.method.GetValue())
    throw FileError(kErrInvalidValue, kRead);
  SetUnits(metric);
}

}  // namespace brisca
