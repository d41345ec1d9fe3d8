#include "cli/SeriesSession.h"

#include <cstdio>
#include <sstream>

#include "cli/FailureReport.h"
#include "cli/FileProblems.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/base/TextFile.h"
#include "core/base/Version.h"
#include "core/document/CompressorMapFile.h"
#include "core/iterator/IterateSetup.h"
#include "core/iterator/QuickPresets.h"
#include "core/iterator/ShardMerge.h"

namespace brisca::cli {
namespace {

// Only for a digest: a file that cannot be read gets none, and the
// fingerprints of the machines then differ.
bool ReadBytes(const std::string& path, std::string& bytes, std::size_t limit = kMaxDataFileBytes) {
  try {
    bytes = ReadTextFile(path, "FingerprintOf", limit);
    return true;
  } catch (const FileError&) {
    return false;
  }
}

bool ApplySetupFile(const std::string& path, SeriesSession& s) {
  // Named with the system's reason: a shard or a merge finds the setup by the
  // path its record holds, which may have moved since.
  if (!CheckInputFile(path)) return false;
  std::istringstream in;
  try {
    in.str(ReadTextFile(path, "ReadIterateSetup"));
  } catch (const FileError& error) {
    ReportFileProblem(error.code(), path, error.detail());
    return false;
  }
  IterateSetup setup;
  IterateSetupError error;
  if (!ReadIterateSetup(in, s.engine->doc, s.phase1, s.phase2, setup, error)) {
    if (error.line == 0) {
      ReportErrorCode(error.code);
    } else {
      NoteFailurePath(path);
      ReportFailureText("setup line " + std::to_string(error.line) + ": " + error.message);
    }
    return false;
  }
  s.dual = setup.dualPhase;
  return true;
}

QuickPreset PresetNamed(const std::string& name) {
  return name == "cam-hp"           ? QuickPreset::CamPower
         : name == "cam-torque"     ? QuickPreset::CamTorque
         : name == "bore-stroke-hp" ? QuickPreset::BoreStrokePower
                                    : QuickPreset::BoreStrokeTorque;
}

}  // namespace

std::string AbsolutePath(const std::string& path) {
  if (path.empty()) return {};
  std::error_code ec;
  const std::filesystem::path abs = std::filesystem::absolute(path, ec);
  return ec ? path : abs.lexically_normal().string();
}

bool OpenSeries(const ShardSeries& source, SeriesSession& s) {
  s.source = source;
  s.engine = OpenEngine(source.engine, source.dataDir, OpenRun::Always);
  if (!s.engine) return false;
  const CVexoDoc& doc = s.engine->doc;
  int code = 0;
  s.dual = true;
  if (!source.preset.empty()) {
    if (!ApplyQuickPreset(doc, PresetNamed(source.preset), s.phase1, s.phase2, code)) {
      ReportErrorCode(code);
      return false;
    }
  } else if (!ApplySetupFile(source.setup, s)) {
    return false;
  }
  s.phase1.Prepare();
  // As a whole-series run starts: phase 1 valid, and phase 2 with two phases.
  if (!s.phase1.Validate(code) || (s.dual && !s.phase2.Validate(code))) {
    ReportErrorCode(code);
    return false;
  }
  return true;
}

bool StartPhase2(SeriesSession& s, int bestTest, int& code) {
  CVexoDoc work(nullptr);
  const TestOutcome outcome = EvaluateTest(s.phase1, bestTest, work);
  if (!outcome.ok) {
    code = outcome.failureCode != 0 ? outcome.failureCode : kErrNoBaseline;
    return false;
  }
  // Kept the way the whole series keeps it, so phase 2 sees the same engine.
  s.phase1Best = s.phase1;
  s.phase1Best.Prepare();  // holds nothing but this one result
  s.phase1Best.OfferResult(outcome.score, outcome.testNumber, work.Engine());
  return BeginPhase2(s.phase1Best, s.phase2, code);
}

ShardFingerprint FingerprintOf(const SeriesSession& s, const Iterator& phase,
                               const std::string& fromDigest) {
  ShardFingerprint f;
  f.build = std::string(ProgramVersion()) + " " + __VERSION__;
  std::string bytes;
  f.engine = ReadBytes(s.source.engine, bytes) ? DigestOf(bytes) : "unreadable";
  if (!s.source.preset.empty()) {
    f.setup = DigestOf("preset " + s.source.preset);
  } else {
    f.setup = ReadBytes(s.source.setup, bytes) ? DigestOf(bytes) : "unreadable";
  }
  const EngineParameters& e = s.engine->doc.Engine();
  if (e.forcedInductionKind != kNoForcedInduction && e.compressorMap != 0) {
    const auto map = CompressorMapPath(s.engine->host.MapFolder(), e.compressorMap);
    f.maps = ReadBytes(map.string(), bytes) ? DigestOf(bytes) : "unreadable";
  }
  CVexoDoc work(nullptr);
  const TestOutcome probe = EvaluateTest(phase, 1, work);
  f.probe = probe.ok ? HexFloat(probe.score) : "failed " + std::to_string(probe.failureCode);
  f.from = fromDigest;
  return f;
}

bool ReadPhase1Record(const SeriesSession& s, const std::string& path, ShardRecord& record,
                      std::string& digest, std::string& error) {
  if (!ReadShardRecord(path, record, error)) {
    error = path + ": " + error;
    return false;
  }
  ShardSeries phase1Source = s.source;
  phase1Source.from.clear();
  if (record.kind != ShardRecordKind::Merged || record.phase != 1) {
    error = path + " is not the merged record of phase 1";
    return false;
  }
  if (!(record.series == phase1Source) || !(record.fingerprint == FingerprintOf(s, s.phase1, ""))) {
    error = path + " belongs to another series";
    return false;
  }
  std::string bytes;
  ReadBytes(path, bytes, kMaxShardRecordBytes);
  digest = DigestOf(bytes);
  return true;
}

}  // namespace brisca::cli
