#pragma once
// The desktop program's answers to an engine document: its open documents,
// the open value edit dialog, view updates, and file and text prompts as Qt
// dialogs owned by the main frame.

#include <QString>

#include <functional>

#include "core/document/DocumentHost.h"

class QWidget;

namespace brisca {

class CMainFrame;

//! The file-dialog filter of a file kind ("qen", "qfw", "qcm").
QString FileFilter(const std::string& extension);

//! One file prompt: what the dialog is asked to show.
struct FilePrompt {
  bool save = false;                 //!< Save As (else Open)
  std::string extension;             //!< "qen", "qfw", "qcm"
  std::filesystem::path folder;      //!< where the dialog starts
  std::string proposedName;          //!< file name offered when saving
};

//! Answers a file prompt: a path, or nothing when the user cancels.
using FilePrompter = std::function<std::optional<std::filesystem::path>(const FilePrompt&)>;

class DesktopHost final : public DocumentHost {
 public:
  explicit DesktopHost(CMainFrame& frame) : frame_(frame) {}

  std::vector<CVexoDoc*> OpenDocuments() const override;
  CSimSpec* EditedSpec() const override { return editedSpec_; }
  void CloseEditDialog() override;
  void UpdateAllViews(CVexoDoc& document) override;
  //! The windows' titles and workbook tabs follow the flag.
  void ModifiedChanged(CVexoDoc& document) override;
  //! The document's undo history takes the change as a step / its clean state.
  void ChangeMade(CVexoDoc& document) override;
  void MarkedUnmodified(CVexoDoc& document) override;
  //! The main frame's Close question.
  bool SaveModified(CVexoDoc& document) override;
  std::optional<std::filesystem::path> PromptOpenPath(const std::string& extension,
                                                      const std::filesystem::path& folder) override;
  std::optional<std::filesystem::path> PromptSavePath(const std::string& extension,
                                                      const std::filesystem::path& folder,
                                                      const std::string& proposedName) override;
  std::optional<std::string> PromptText(const std::string& title, const std::string& prompt,
                                        const std::string& initial) override;
  //! "Enter a Custom Cam Description", modal over the main frame.
  std::optional<std::string> PromptCamName(const std::string& initial) override;
  //! The cam manager, modal over the main frame.
  bool RunCamManager(CVexoDoc& document) override;
  //! The port-flow editor: the flow dialog, modal over the main frame.
  std::optional<PortFlowEdit> EditPortFlow(const CCylHeadFlow& flow,
                                           const std::string& airflowFile) override;

  //! The value edit dialog announces itself while it is open: the spec it
  //! edits and how to close it as accepted. SetEditDialog(nullptr, {}) when it closes.
  void SetEditDialog(CSimSpec* spec, std::function<void()> closeAccepted);

  //! Replaces the file dialog (tests script the user's choice); an empty
  //! prompter brings the dialog back.
  void SetFilePrompter(FilePrompter prompter) { prompter_ = std::move(prompter); }

 private:
  std::optional<std::filesystem::path> RunFileDialog(const FilePrompt& prompt);

  FilePrompter prompter_;
  CMainFrame& frame_;
  CSimSpec* editedSpec_ = nullptr;
  std::function<void()> closeAccepted_;
};

}  // namespace brisca
