#pragma once
// The start-up offer of documents a program that did not end cleanly left
// unsaved: one row per document (engine, original file, time written), each
// with a check box, all checked at first.
//   "Recover"        opens the checked documents
//   "Discard"        removes the checked documents' recovery files
//   "Decide Later"   (or Esc) changes nothing: they are offered again next start
// Unchecked documents are kept for the next start whatever the answer.

#include <QDateTime>
#include <QDialog>
#include <QString>

#include <vector>

class QPushButton;
class QTreeWidget;

namespace brisca {

struct RecoveryEntry {
  QString title;
  QString originalFile;  //!< empty: never saved
  QDateTime saved;
};

class RecoveryDlg : public QDialog {
  Q_OBJECT

 public:
  enum class Choice { Recover, Discard, Later };

  explicit RecoveryDlg(const std::vector<RecoveryEntry>& entries, QWidget* parent = nullptr);

  Choice GetChoice() const { return choice_; }
  //! The rows checked when the dialog closed, top to bottom.
  std::vector<int> Checked() const;
  QTreeWidget* List() const { return list_; }
  QPushButton* RecoverButton() const { return recover_; }
  QPushButton* DiscardButton() const { return discard_; }

 private:
  void UpdateButtons();

  QTreeWidget* list_ = nullptr;
  QPushButton* recover_ = nullptr;
  QPushButton* discard_ = nullptr;
  Choice choice_ = Choice::Later;
};

}  // namespace brisca
