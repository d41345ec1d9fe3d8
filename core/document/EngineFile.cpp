// The engine document's side of the engine file: it owns the file, switches
// the engine to domestic units around the text, runs the engine without
// nitrous for the results block, and reports a FileError once.
//
// Saving goes through a temporary file renamed over the target, so a failed
// save leaves the previous file as it was. Reading goes into a fresh document
// that is taken over only when the whole file was read, so a failed read
// leaves this document as it was.

#include <fstream>
#include <string>
#include <system_error>

#include "core/base/AtomicFile.h"
#include "core/document/EngineFileText.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/document/VexoDoc.h"
#include "core/base/TextFile.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"

namespace brisca {
namespace {

constexpr const char* kWriteWhere = "CVexoDoc::WriteEngineFile";
constexpr const char* kReadWhere = "CVexoDoc::ReadEngineFile";

// The fuel of the run without nitrous: the methanol-with-nitrous fuels fall
// back to methanol, every other fuel to gasoline.
constexpr int kFirstMethanolNitrousFuel = 12;
constexpr int kLastMethanolNitrousFuel = 17;
constexpr int kMethanolFuel = 10;
constexpr const char* kMethanolName = "Methanol";
constexpr int kGasolineFuel = 1;
constexpr const char* kGasolineName = "Gasoline";

//! Domestic units for the file, the user's system again on every way out.
class DomesticUnits {
 public:
  explicit DomesticUnits(CVexoDoc& doc) : doc_(doc), metric_(doc.IsMetric()) { doc_.SetUnits(false); }
  ~DomesticUnits() { doc_.SetUnits(metric_); }
  DomesticUnits(const DomesticUnits&) = delete;
  DomesticUnits& operator=(const DomesticUnits&) = delete;
  bool WasMetric() const { return metric_; }

 private:
  CVexoDoc& doc_;
  bool metric_;
};

//! Puts fuel and nitrous back as they were, whatever happens in between.
class FuelRestore {
 public:
  explicit FuelRestore(EngineParameters& e)
      : e_(e), fuel_(e.fuelType), nitrous_(e.nitrousFlowRate) {
    nitrous_ = e.nitrousFlowRate;  // the copy constructor drops the flag of an invalid value
  }
  ~FuelRestore() {
    e_.fuelType = fuel_;
    e_.nitrousFlowRate = nitrous_;
  }
  FuelRestore(const FuelRestore&) = delete;
  FuelRestore& operator=(const FuelRestore&) = delete;

 private:
  EngineParameters& e_;
  CPartTypeSpec fuel_;
  CFloatPtSpec nitrous_;
};

// A part type is written by its name, so one never chosen cannot be written.
bool EveryPartChosen(const EngineParameters& e) {
  for (const CPartTypeSpec* spec : {&e.shortBlockType, &e.cylinderHeadType, &e.manifoldType,
                                    &e.fuelType, &e.forcedInductionType, &e.exhaustSystem}) {
    if (spec->GetName().empty()) return false;
  }
  return true;
}

// Appending keeps the old entries: they are copied into the new file first.
void CopyExistingFile(const std::filesystem::path& path, std::ostream& out) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return;
  std::ifstream in(path, std::ios::in | std::ios::binary);
  if (!in.is_open()) throw FileError(kErrOpen, kWriteWhere);
  char buffer[8192];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    out.write(buffer, in.gcount());
    if (!out) throw FileError(kErrWrite, kWriteWhere);
  }
  if (in.bad()) throw FileError(kErrRead, kWriteWhere);
}

// Files written on Windows end their lines with CR LF, which the text-mode
// stream there read as LF. The notes' character count is of that reading.
std::string TextModeLineEnds(std::string text) {
  std::size_t out = 0;
  for (std::size_t in = 0; in < text.size(); ++in) {
    if (text[in] == '\r' && in + 1 < text.size() && text[in + 1] == '\n') continue;
    text[out++] = text[in];
  }
  text.resize(out);
  return text;
}

}  // namespace

bool CVexoDoc::WriteEngineFile(const std::filesystem::path& path, bool append) {
  if (!EveryPartChosen(engine_)) {
    // Only an engine that fails validation lacks a component; say which.
    int code = 0;
    ReportErrorCode(Validate(code) ? kErrInvalidValue : code);
    return false;
  }
  DomesticUnits domestic(*this);
  try {
    AtomicFileWriter file(path, kWriteWhere);
    if (append) CopyExistingFile(path, file.Stream());

    EngineFileResults results;
    results.nitrous = engine_.nitrousFlowRate.GetValue() > 0.0f;
    ResultSet withoutNitrous = Results();
    if (results.nitrous) {
      {
        FuelRestore restore(engine_);
        const int fuel = engine_.fuelType.GetValue();
        if (fuel >= kFirstMethanolNitrousFuel && fuel <= kLastMethanolNitrousFuel) {
          engine_.fuelType.SetSelection(kMethanolFuel, kMethanolName);
        } else {
          engine_.fuelType.SetSelection(kGasolineFuel, kGasolineName);
        }
        engine_.nitrousFlowRate.SetValue(0.0f);
        RunSimulation(false, false);
        withoutNitrous = Results();
      }
      RunSimulation(false, false);
    }
    results.withoutNitrous = &withoutNitrous;
    results.asIs = &Results();

    TextWriter out(file.Stream());
    WriteEngineText(out, {engine_, charts_[0], charts_[1], report_}, domestic.WasMetric(), results);
    out.Flush(kWriteWhere);
    file.Commit();
  } catch (const FileError& error) {
    ReportErrorCode(error.code());
    return false;
  }
  return true;
}

bool CVexoDoc::ReadEngineFile(const std::filesystem::path& path) {
  try {
    TextReader in(TextModeLineEnds(ReadTextFile(path, kReadWhere)));
    CVexoDoc fresh(host_);
    ReadEngineText(in, {fresh.engine_, fresh.charts_[0], fresh.charts_[1], fresh.report_});
    fresh.SetUnits(fresh.engine_.metricUnits);

    engine_ = fresh.engine_;
    report_ = fresh.report_;
    charts_ = fresh.charts_;
    // A different engine: the Pro Iterator's results no longer describe it.
    for (auto& iterator : iterators_) iterator.reset();
    baselineChanged_ = true;
  } catch (const FileError& error) {
    ReportErrorCode(error.code());
    return false;
  }
  return true;
}

bool CVexoDoc::OnSaveDocument(const std::filesystem::path& path) {
  int code = 0;
  if (!Validate(code)) {
    ReportErrorCode(code);
    return false;
  }
  if (Results().IsEmpty() && ReportWarningCode(204) == MessageButton::Cancel) return false;
  if (!WriteEngineFile(path, false)) return false;
  modified_ = false;
  return true;
}

bool CVexoDoc::OnOpenDocument(const std::filesystem::path& path) {
  std::string previousTitle = title_;
  title_ = path.stem().string();
  if (!ReadEngineFile(path)) {
    title_ = std::move(previousTitle);
    return false;
  }
  UpdateDerivedValues();
  modified_ = false;
  return true;
}

}  // namespace brisca
