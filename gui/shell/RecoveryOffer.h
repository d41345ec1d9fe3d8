#pragma once
// At start: the documents an earlier run left unsaved (it was killed or
// crashed) are offered in the recovery dialog, or recovered or discarded at
// once when the start-up options say so. Recovered documents open modified,
// titled as before and belonging to their original file. A recovery file that
// cannot be read is reported by number (318) and moved aside, never deleted.

#include <QString>

namespace brisca {

class AutoSaver;
class CMainFrame;
class RecoveryStore;

//! How the offer is answered: by the user, or by a start-up option.
enum class RecoveryAnswer { Ask, Recover, Discard };

//! "recover" and "discard" answer for the user; anything else asks.
RecoveryAnswer RecoveryAnswerFromText(const QString& text);

//! Offers the orphaned recovery files; the number of documents recovered.
int OfferRecovery(CMainFrame& frame, RecoveryStore& store, AutoSaver& saver, RecoveryAnswer answer);

}  // namespace brisca
