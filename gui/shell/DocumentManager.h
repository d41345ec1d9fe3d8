#pragma once
// The open engine documents: their creation, opening, saving and closing,
// the file each one belongs to, and the views each one has registered. No
// windows here: the main frame puts each document into child frames.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/results/TestConditions.h"
#include "gui/shell/ViewRegistry.h"

namespace brisca {

class CVexoDoc;
class DocumentHost;

class DocumentManager {
 public:
  DocumentManager(DocumentHost& host, std::filesystem::path engineFolder,
                  std::filesystem::path sampleFolder);
  ~DocumentManager();

  //! The engine-files folder below the start-up folder.
  const std::filesystem::path& EngineFolder() const { return engineFolder_; }
  //! Where the Open dialog starts: the engine-files folder, or when the
  //! start-up folder has none, the shipped sample engines.
  std::filesystem::path OpenFolder() const;
  //! Where Save As starts: the document's own folder, else the engine-files
  //! folder, or when that does not exist the start-up folder.
  std::filesystem::path SaveFolder(const CVexoDoc& document) const;

  //! A new, cleared document titled "Brisca<n>" (n counts the new documents).
  CVexoDoc& NewDocument();
  //! A document read from `path`; nullptr when reading failed (the core has
  //! shown the numbered message and no document was added).
  CVexoDoc* OpenDocument(const std::filesystem::path& path);
  //! Saves `document` to `path` through the document's save; on success the
  //! document belongs to `path` and takes its name as title.
  bool SaveDocument(CVexoDoc& document, const std::filesystem::path& path);
  //! Removes and deletes `document`.
  void CloseDocument(CVexoDoc& document);
  //! A document filled by `read` from a recovery file (nullptr, nothing added,
  //! when `read` fails). It belongs to `path` (empty: never saved); a recovered
  //! "Brisca<n>" keeps new documents from taking its name again.
  CVexoDoc* RecoverDocument(const std::filesystem::path& path,
                            const std::function<bool(CVexoDoc&)>& read);
  //! Called after a document was saved and before one is closed (autosave
  //! drops its recovery file).
  void SetReleasedHook(std::function<void(const CVexoDoc&)> hook) { released_ = std::move(hook); }

  //! The air every document's figures are shown for, now and when opened later.
  void SetDisplayConditions(const TestConditions& conditions);
  const TestConditions& DisplayConditions() const { return conditions_; }

  std::vector<CVexoDoc*> Documents() const;
  //! The open document read from or saved to `path`, if any.
  CVexoDoc* FindByPath(const std::filesystem::path& path) const;
  //! The file of `document`; empty while it has never been saved or opened.
  std::filesystem::path PathOf(const CVexoDoc& document) const;
  ViewRegistry& Views(const CVexoDoc& document);

 private:
  struct Record;
  Record* Find(const CVexoDoc& document) const;
  //! A document of this application, showing its figures for the current conditions.
  std::unique_ptr<CVexoDoc> MakeDocument();

  DocumentHost& host_;
  std::filesystem::path engineFolder_;
  std::filesystem::path sampleFolder_;
  TestConditions conditions_;
  int untitledCount_ = 0;
  std::vector<std::unique_ptr<Record>> records_;
  std::function<void(const CVexoDoc&)> released_;
};

}  // namespace brisca
