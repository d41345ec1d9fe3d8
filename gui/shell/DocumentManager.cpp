#include "gui/shell/DocumentManager.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "core/base/FatalAssert.h"
#include "core/document/VexoDoc.h"

namespace brisca {
namespace fs = std::filesystem;
namespace {

fs::path Normal(const fs::path& path) {
  std::error_code ec;
  fs::path canonical = fs::weakly_canonical(path, ec);
  return ec ? path.lexically_normal() : canonical;
}

}  // namespace

struct DocumentManager::Record {
  std::unique_ptr<CVexoDoc> document;
  fs::path path;
  ViewRegistry views;
};

DocumentManager::DocumentManager(DocumentHost& host, fs::path engineFolder, fs::path sampleFolder)
    : host_(host), engineFolder_(std::move(engineFolder)), sampleFolder_(std::move(sampleFolder)) {}

// The start-up folder is wherever the program was started from, which on this
// platform seldom holds an engine-files folder; the dialogs then start where
// engines can be found or written instead of in a folder that is not there.
fs::path DocumentManager::OpenFolder() const {
  std::error_code ec;
  return fs::is_directory(engineFolder_, ec) || sampleFolder_.empty() ? engineFolder_ : sampleFolder_;
}

fs::path DocumentManager::SaveFolder(const CVexoDoc& document) const {
  const fs::path own = PathOf(document);
  if (!own.empty()) return own.parent_path();
  std::error_code ec;
  return fs::is_directory(engineFolder_, ec) ? engineFolder_ : engineFolder_.parent_path();
}

DocumentManager::~DocumentManager() = default;

std::unique_ptr<CVexoDoc> DocumentManager::MakeDocument() {
  auto document = std::make_unique<CVexoDoc>(&host_);
  document->SetDisplayConditions(conditions_);
  return document;
}

void DocumentManager::SetDisplayConditions(const TestConditions& conditions) {
  conditions_ = conditions;
  for (const auto& record : records_) record->document->SetDisplayConditions(conditions);
}

CVexoDoc& DocumentManager::NewDocument() {
  auto record = std::make_unique<Record>();
  record->document = MakeDocument();
  record->document->SetTitle("Brisca" + std::to_string(++untitledCount_));
  records_.push_back(std::move(record));
  return *records_.back()->document;
}

CVexoDoc* DocumentManager::OpenDocument(const fs::path& path) {
  auto record = std::make_unique<Record>();
  record->document = MakeDocument();
  // The document counts as open while it reads, as the framework's would.
  records_.push_back(std::move(record));
  Record& added = *records_.back();
  if (!added.document->OnOpenDocument(path)) {
    records_.pop_back();
    return nullptr;
  }
  added.path = Normal(path);
  return added.document.get();
}

bool DocumentManager::SaveDocument(CVexoDoc& document, const fs::path& path) {
  Record* record = Find(document);
  BRISCA_ASSERT(record != nullptr);
  if (!document.OnSaveDocument(path)) return false;
  record->path = Normal(path);
  document.SetTitle(path.stem().string());
  if (released_) released_(document);
  return true;
}

void DocumentManager::CloseDocument(CVexoDoc& document) {
  auto it = std::find_if(records_.begin(), records_.end(),
                         [&](const auto& r) { return r->document.get() == &document; });
  BRISCA_ASSERT(it != records_.end());
  if (released_) released_(document);
  records_.erase(it);
}

CVexoDoc* DocumentManager::RecoverDocument(const fs::path& path,
                                           const std::function<bool(CVexoDoc&)>& read) {
  auto record = std::make_unique<Record>();
  record->document = MakeDocument();
  records_.push_back(std::move(record));
  Record& added = *records_.back();
  if (!read(*added.document)) {
    records_.pop_back();
    return nullptr;
  }
  if (!path.empty()) added.path = Normal(path);
  const std::string& title = added.document->GetTitle();
  const std::string untitled = "Brisca";
  if (title.size() > untitled.size() && title.rfind(untitled, 0) == 0 &&
      title.find_first_not_of("0123456789", untitled.size()) == std::string::npos &&
      title.size() - untitled.size() < 9) {
    untitledCount_ = std::max(untitledCount_, std::stoi(title.substr(untitled.size())));
  }
  return added.document.get();
}

std::vector<CVexoDoc*> DocumentManager::Documents() const {
  std::vector<CVexoDoc*> documents;
  for (const auto& record : records_) documents.push_back(record->document.get());
  return documents;
}

CVexoDoc* DocumentManager::FindByPath(const fs::path& path) const {
  const fs::path wanted = Normal(path);
  for (const auto& record : records_) {
    if (!record->path.empty() && record->path == wanted) return record->document.get();
  }
  return nullptr;
}

fs::path DocumentManager::PathOf(const CVexoDoc& document) const {
  const Record* record = Find(document);
  return record ? record->path : fs::path();
}

ViewRegistry& DocumentManager::Views(const CVexoDoc& document) {
  Record* record = Find(document);
  BRISCA_ASSERT(record != nullptr);
  return record->views;
}

DocumentManager::Record* DocumentManager::Find(const CVexoDoc& document) const {
  for (const auto& record : records_) {
    if (record->document.get() == &document) return record.get();
  }
  return nullptr;
}

}  // namespace brisca
