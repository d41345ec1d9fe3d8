#include "gui/shell/AutoSaver.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/document/RecoveryFile.h"
#include "core/document/VexoDoc.h"
#include "gui/shell/DocumentManager.h"
#include "gui/shell/RecoveryStore.h"

namespace brisca {
namespace {

constexpr int kDefaultIntervalMs = 60 * 1000;
constexpr int kAutosaveFailed = 319;

}  // namespace

int AutosaveIntervalFromEnvironment() {
  const char* text = std::getenv("BRISCA_AUTOSAVE_MS");
  if (!text || !*text) return kDefaultIntervalMs;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return *end == '\0' && value > 0 && value <= 24L * 3600 * 1000 ? static_cast<int>(value) : kDefaultIntervalMs;
}

AutoSaver::AutoSaver(RecoveryStore& store, int intervalMs, QObject* parent)
    : QObject(parent), store_(store) {
  timer_.setInterval(intervalMs > 0 ? intervalMs : kDefaultIntervalMs);
  connect(&timer_, &QTimer::timeout, this, &AutoSaver::SaveNow);
  timer_.start();
}

void AutoSaver::SaveNow() {
  if (frozen_ || !documents_) return;
  std::set<int> open;
  const auto now = std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
  for (CVexoDoc* document : documents_->Documents()) {
    const int number = document->GetDocumentNumber();
    open.insert(number);
    if (!document->IsModified()) {
      Remove(number);
      continue;
    }
    try {
      WriteRecoveryFile(store_.FileFor(number), *document, documents_->PathOf(*document), now);
      written_.insert(number);
    } catch (const FileError& error) {
      // Once: a full disk would otherwise put the same box up every minute.
      if (!failureShown_) {
        failureShown_ = true;
        const std::string detail = store_.FileFor(number).string() + " (error " +
                                   std::to_string(error.code()) + ")";
        ReportErrorCode(kAutosaveFailed, false, detail.c_str());
      }
    }
  }
  for (auto it = written_.begin(); it != written_.end();) {
    const int number = *it++;
    if (!open.count(number)) Remove(number);
  }
}

void AutoSaver::Forget(const CVexoDoc& document) {
  if (!frozen_) Remove(document.GetDocumentNumber());
}

void AutoSaver::Freeze() {
  frozen_ = true;
  timer_.stop();
}

void AutoSaver::Remove(int number) {
  if (!written_.erase(number)) return;
  std::error_code ec;
  std::filesystem::remove(store_.FileFor(number), ec);
}

}  // namespace brisca
