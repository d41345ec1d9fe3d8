#pragma once
// Autosave: every modified document, complete or not, is written to its
// recovery file at a fixed interval (60 s unless set otherwise) and on demand
// (before a quit on a termination signal). A document that is saved, closed
// or no longer modified loses its recovery file.
//
// A file that cannot be written is reported once per run (message 319): the
// program goes on, and later writes are tried again without a message.

#include <QObject>
#include <QTimer>

#include <set>

namespace brisca {

class CVexoDoc;
class DocumentManager;
class RecoveryStore;

class AutoSaver : public QObject {
  Q_OBJECT

 public:
  //! Writes through `store`, whose session has begun. Starts its timer.
  AutoSaver(RecoveryStore& store, int intervalMs, QObject* parent = nullptr);

  //! The documents to watch (null: none, e.g. once the main window is gone).
  void Watch(DocumentManager* documents) { documents_ = documents; }
  //! Writes each modified document now; removes the files of the others.
  void SaveNow();
  //! `document` was saved or is closing: its recovery file goes.
  void Forget(const CVexoDoc& document);
  //! Stops writing and removing: the files stay as they are for the next start.
  void Freeze();
  int Interval() const { return timer_.interval(); }

 private:
  void Remove(int number);

  RecoveryStore& store_;
  DocumentManager* documents_ = nullptr;
  QTimer timer_;
  std::set<int> written_;  //!< document numbers with a recovery file
  bool frozen_ = false;
  bool failureShown_ = false;
};

//! The autosave interval: $BRISCA_AUTOSAVE_MS when it holds a positive number, else 60 s.
int AutosaveIntervalFromEnvironment();

}  // namespace brisca
