// The engine document's side of the engine file: it owns the file, switches
// the engine to domestic units around the text, runs the engine without
// nitrous for the results block, and reports a FileError once.
//
// Saving goes through a temporary file renamed over the target, so a failed
// save leaves the previous file as it was. Reading goes into a fresh document
// that is taken over only when the whole file was read, so a failed read
// leaves this document as it was.

#include <string>
#include <string_view>
#include <system_error>

#include "core/base/DataFile.h"
#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/base/TextFile.h"
#include "core/base/TextReader.h"
#include "core/base/TextWriter.h"
#include "core/document/EngineFileText.h"
#include "core/document/RunWithoutNitrous.h"
#include "core/document/VexoDoc.h"

namespace brisca {
namespace {

constexpr const char* kWriteWhere = "CVexoDoc::WriteEngineFile";
constexpr const char* kReadWhere = "CVexoDoc::ReadEngineFile";

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

// A part type is written by its name, so one never chosen cannot be written.
bool EveryPartChosen(const EngineParameters& e) {
  for (const CPartTypeSpec* spec : {&e.shortBlockType, &e.cylinderHeadType, &e.manifoldType,
                                    &e.fuelType, &e.forcedInductionType, &e.exhaustSystem}) {
    if (spec->GetName().empty()) return false;
  }
  return true;
}

// Appending keeps the old entries: they are copied into the new file first,
// read as every data file is. A device or pipe written in place has none.
void CopyExistingFile(const std::filesystem::path& path, TextWriter& out) {
  std::error_code ec;
  if (std::filesystem::status(path, ec).type() != std::filesystem::file_type::regular) return;
  out.Write(ReadTextFile(path, kWriteWhere), kWriteWhere);
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
  return SaveDataFile(path, kWriteWhere, [&](TextWriter& out) {
    if (append) CopyExistingFile(path, out);
    EngineFileResults results;
    results.nitrous = engine_.nitrousFlowRate.GetValue() > 0.0f;
    const ResultSet withoutNitrous = results.nitrous ? RunWithoutNitrous(*this) : Results();
    results.withoutNitrous = &withoutNitrous;
    results.asIs = &Results();
    WriteEngineText(out, {engine_, charts_[0], charts_[1], report_}, domestic.WasMetric(), results);
  });
}

bool CVexoDoc::ReadEngineFile(const std::filesystem::path& path) {
  return LoadDataFile(path, kReadWhere, [this](TextReader& in) {
    CVexoDoc fresh(host_);
    ReadEngineText(in, {fresh.engine_, fresh.charts_[0], fresh.charts_[1], fresh.report_});
    fresh.SetUnits(fresh.engine_.metricUnits);

    engine_ = fresh.engine_;
    report_ = fresh.report_;
    charts_ = fresh.charts_;
    // A different engine: the Pro Iterator's results no longer describe it.
    for (auto& iterator : iterators_) iterator.reset();
    baselineChanged_ = true;
  });
}

bool CVexoDoc::OnSaveDocument(const std::filesystem::path& path) {
  int code = 0;
  if (!Validate(code)) {
    ReportErrorCode(code);
    return false;
  }
  if (Results().IsEmpty() && ReportWarningCode(204) == MessageButton::Cancel) return false;
  if (!WriteEngineFile(path, false)) return false;
  SetModified(false);
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
  SetModified(false);
  return true;
}

}  // namespace brisca
