#pragma once
// "Contest Entry": the entrant's details, the rules to acknowledge and where
// the entry file goes. "Write Entry" writes the details and the engine into
// that file; the program sends nothing anywhere, and the dialog says so.

#include <QDialog>

#include <filesystem>

#include "core/document/ContestEntry.h"

class QCheckBox;
class QLineEdit;

namespace brisca {

class CVexoDoc;

class CContestDlg : public QDialog {
  Q_OBJECT

 public:
  //! `entryFile` is the suggested file for the entry.
  CContestDlg(CVexoDoc& document, const std::filesystem::path& entryFile, QWidget* parent = nullptr);

  ContestEntry Entry() const;
  std::filesystem::path EntryFile() const;

 public slots:
  //! Writes the entry; stays open when that failed (the reason was reported).
  void accept() override;

 private:
  void BrowseEntryFile();

  CVexoDoc& document_;
  QLineEdit* number_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLineEdit* email_ = nullptr;
  QLineEdit* phone_ = nullptr;
  QCheckBox* rules_ = nullptr;
  QLineEdit* file_ = nullptr;
};

//! The suggested entry file: "<title> Contest Entry.txt" in `engineFolder`
//! (the title without its ".qen").
std::filesystem::path SuggestedEntryFile(const CVexoDoc& document, const std::filesystem::path& engineFolder);

//! "Contest...": the dialog; true when an entry was written.
bool RunContestEntry(CVexoDoc& document, const std::filesystem::path& engineFolder, QWidget* parent);

}  // namespace brisca
