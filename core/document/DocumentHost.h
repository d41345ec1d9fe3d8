#pragma once
// What an engine document needs from the application that holds it. The
// desktop program answers with its windows and dialogs; the headless program
// and the tests answer without a screen.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace brisca {

class CSimSpec;
class CVexoDoc;

class DocumentHost {
 public:
  virtual ~DocumentHost() = default;

  //! The engine documents open in the application.
  virtual std::vector<CVexoDoc*> OpenDocuments() const = 0;

  //! The spec the open value edit dialog edits, or nullptr when none is open.
  virtual CSimSpec* EditedSpec() const = 0;
  //! Closes the open value edit dialog as accepted (no-op when none is open).
  virtual void CloseEditDialog() = 0;

  //! Asks every view of `document` to redraw.
  virtual void UpdateAllViews(CVexoDoc& document) = 0;

  //! A path to open or save a file of the given kind ("qen", "qfw", "qcm"),
  //! starting in `folder` with `proposedName`; nothing when the user cancels.
  virtual std::optional<std::filesystem::path> PromptOpenPath(const std::string& extension,
                                                              const std::filesystem::path& folder) = 0;
  virtual std::optional<std::filesystem::path> PromptSavePath(const std::string& extension,
                                                              const std::filesystem::path& folder,
                                                              const std::string& proposedName) = 0;

  //! A one-line text from a small modal dialog (custom cam name, custom port
  //! flow description); nothing when the user cancels.
  virtual std::optional<std::string> PromptText(const std::string& title,
                                                const std::string& prompt,
                                                const std::string& initial) = 0;

  //! Where the compressor maps lie (the program-data folder's maps by default).
  virtual std::filesystem::path MapFolder() const;
};

//! The maps beside the program, as found at start-up.
const std::filesystem::path& DefaultMapFolder();

//! The host of a document with no screen: it knows the documents it was given,
//! has no edit dialog, redraws nothing and answers prompts from its script
//! (nothing, i.e. Cancel, when the script is empty).
class HeadlessHost final : public DocumentHost {
 public:
  std::vector<CVexoDoc*> OpenDocuments() const override { return documents; }
  CSimSpec* EditedSpec() const override { return editedSpec; }
  void CloseEditDialog() override { editedSpec = nullptr; }
  void UpdateAllViews(CVexoDoc&) override { ++viewUpdates; }
  std::optional<std::filesystem::path> PromptOpenPath(const std::string&,
                                                      const std::filesystem::path&) override {
    return Next(openPaths);
  }
  std::optional<std::filesystem::path> PromptSavePath(const std::string&,
                                                      const std::filesystem::path&,
                                                      const std::string&) override {
    return Next(savePaths);
  }
  std::optional<std::string> PromptText(const std::string&, const std::string&,
                                        const std::string&) override {
    return Next(texts);
  }
  std::filesystem::path MapFolder() const override {
    return mapFolder.empty() ? DefaultMapFolder() : mapFolder;
  }

  std::vector<CVexoDoc*> documents;  //!< what OpenDocuments answers
  CSimSpec* editedSpec = nullptr;    //!< the spec an edit dialog edits, if any
  int viewUpdates = 0;               //!< UpdateAllViews calls so far
  std::vector<std::filesystem::path> openPaths;  //!< answers, first first
  std::vector<std::filesystem::path> savePaths;
  std::vector<std::string> texts;
  std::filesystem::path mapFolder;  //!< maps from another program-data folder; empty: the default

 private:
  template <typename T>
  static std::optional<T> Next(std::vector<T>& queue) {
    if (queue.empty()) return std::nullopt;
    T value = queue.front();
    queue.erase(queue.begin());
    return value;
  }
};

}  // namespace brisca
