#pragma once
// What an engine document needs from the application that holds it. The
// desktop program answers with its windows and dialogs; the headless program
// and the tests answer without a screen.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/valvetrain/CylHeadFlow.h"

namespace brisca {

class CSimSpec;
class CVexoDoc;

//! What the port-flow editor hands back when the user presses OK.
struct PortFlowEdit {
  CCylHeadFlow flow;        //!< the edited record, its `modified` flag as the editor left it
  std::string airflowFile;  //!< the editor's "Airflow File" name; empty when it has none
};

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
  //! `document`'s modified flag has just changed (its titles show it at once).
  virtual void ModifiedChanged(CVexoDoc& document);
  //! `document` was changed (it was marked modified, also when it already was).
  virtual void ChangeMade(CVexoDoc& document);
  //! `document` now matches its file, or is a cleared engine (it was marked
  //! unmodified, also when it already was).
  virtual void MarkedUnmodified(CVexoDoc& document);
  //! The question before `document`'s unsaved changes would be lost (Yes saves,
  //! No discards, Cancel keeps): true when they may go. By default they may.
  virtual bool SaveModified(CVexoDoc& document);

  //! A path to open or save a file of the given kind ("qen", "qfw", "qcm"),
  //! starting in `folder` with `proposedName`; nothing when the user cancels.
  //! The chooser offers the kind's files and all files; opening needs an
  //! existing file, saving asks before replacing one.
  virtual std::optional<std::filesystem::path> PromptOpenPath(const std::string& extension,
                                                              const std::filesystem::path& folder) = 0;
  virtual std::optional<std::filesystem::path> PromptSavePath(const std::string& extension,
                                                              const std::filesystem::path& folder,
                                                              const std::string& proposedName) = 0;

  //! The port-flow editor ("Cylinder Head Port Flow Data") on copies of the
  //! document's record and its "Airflow File" name (empty when unassigned).
  //! It changes only its copies and hands them back when the user presses OK,
  //! once they validate and, for data changed since the named file was read
  //! or written, notice 108 was accepted; nothing on Cancel. The document
  //! takes the copies over ("Custom Port Flow...").
  virtual std::optional<PortFlowEdit> EditPortFlow(const CCylHeadFlow& flow,
                                                   const std::string& airflowFile) = 0;

  //! The cam manager, modal, on `document`'s camshaft: it applies its copies
  //! to the document itself (Apply, OK). True when it closed with OK.
  virtual bool RunCamManager(CVexoDoc& document);

  //! A one-line text from a small modal dialog (custom cam name, custom port
  //! flow description); nothing when the user cancels.
  virtual std::optional<std::string> PromptText(const std::string& title,
                                                const std::string& prompt,
                                                const std::string& initial) = 0;

  //! The name of a custom cam ("Enter a Custom Cam Description"), proposing
  //! `initial`; trimmed and not empty, or nothing on Cancel. By default a
  //! PromptText with that title.
  virtual std::optional<std::string> PromptCamName(const std::string& initial);

  //! Where the compressor maps lie (the program-data folder's maps by default).
  virtual std::filesystem::path MapFolder() const;
  //! The current folder when the program started; the flow and cam file
  //! choosers start in folders below it.
  virtual std::filesystem::path StartupFolder() const;
};

//! The maps beside the program, as found at start-up.
const std::filesystem::path& DefaultMapFolder();
//! The current folder of the process, as found at the first call.
const std::filesystem::path& DefaultStartupFolder();

//! The host of a document with no screen: it knows the documents it was given,
//! has no edit dialog, redraws nothing and answers prompts and the port-flow
//! editor from its script (nothing, i.e. Cancel, when the script is empty). It
//! remembers what each file chooser and the editor were asked.
class HeadlessHost final : public DocumentHost {
 public:
  std::vector<CVexoDoc*> OpenDocuments() const override { return documents; }
  CSimSpec* EditedSpec() const override { return editedSpec; }
  void CloseEditDialog() override { editedSpec = nullptr; }
  void UpdateAllViews(CVexoDoc&) override { ++viewUpdates; }
  void ModifiedChanged(CVexoDoc&) override { ++modifiedChanges; }
  bool SaveModified(CVexoDoc&) override {
    ++saveQuestions;
    return saveModifiedAnswer;
  }
  std::optional<std::filesystem::path> PromptOpenPath(
      const std::string& extension, const std::filesystem::path& folder) override {
    pathPrompts.push_back({false, extension, folder, {}});
    return Next(openPaths);
  }
  std::optional<std::filesystem::path> PromptSavePath(const std::string& extension,
                                                      const std::filesystem::path& folder,
                                                      const std::string& proposedName) override {
    pathPrompts.push_back({true, extension, folder, proposedName});
    return Next(savePaths);
  }
  std::optional<PortFlowEdit> EditPortFlow(const CCylHeadFlow& flow,
                                           const std::string& airflowFile) override {
    portFlowEditorOpened.push_back({flow, airflowFile});
    return Next(portFlowEdits);
  }
  std::optional<std::string> PromptText(const std::string&, const std::string&,
                                        const std::string&) override {
    return Next(texts);
  }
  bool RunCamManager(CVexoDoc&) override {
    ++camManagerRuns;
    return false;
  }
  std::filesystem::path MapFolder() const override {
    return mapFolder.empty() ? DefaultMapFolder() : mapFolder;
  }
  std::filesystem::path StartupFolder() const override {
    return startupFolder.empty() ? DefaultStartupFolder() : startupFolder;
  }

  //! One question put to a file chooser.
  struct PathPrompt {
    bool save;                     //!< a save chooser (else an open chooser)
    std::string extension;         //!< the kind of file asked for
    std::filesystem::path folder;  //!< where the chooser starts
    std::string proposedName;      //!< the name a save chooser offers
  };

  std::vector<CVexoDoc*> documents;  //!< what OpenDocuments answers
  CSimSpec* editedSpec = nullptr;    //!< the spec an edit dialog edits, if any
  int viewUpdates = 0;               //!< UpdateAllViews calls so far
  int modifiedChanges = 0;           //!< ModifiedChanged calls so far
  int saveQuestions = 0;             //!< SaveModified calls so far
  bool saveModifiedAnswer = true;    //!< what SaveModified answers (false: Cancel)
  int camManagerRuns = 0;            //!< RunCamManager calls so far (each answered Cancel)
  std::vector<std::filesystem::path> openPaths;  //!< answers, first first
  std::vector<std::filesystem::path> savePaths;
  std::vector<std::string> texts;
  std::vector<PortFlowEdit> portFlowEdits;  //!< the port-flow editor's OK answers, first first
  std::vector<PathPrompt> pathPrompts;      //!< every file chooser asked, oldest first
  std::vector<PortFlowEdit> portFlowEditorOpened;  //!< what the editor was opened on, oldest first
  std::filesystem::path mapFolder;  //!< maps from another program-data folder; empty: the default
  std::filesystem::path startupFolder;  //!< empty: the process's start-up folder

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
