#pragma once
// What the Pro Iterator's pages share: the two iterators they edit, the
// baseline engine their centres come from, and a signal after every edit.

#include <QWidget>

#include <functional>
#include <utility>

#include "core/iterator/ProPresets.h"
#include "gui/iterator/IteratorPhases.h"

class QBoxLayout;
class QButtonGroup;
class QGroupBox;
class QLabel;

namespace brisca {

class CVexoDoc;

class ProPage : public QWidget {
  Q_OBJECT

 public:
  ProPage(IteratorPhases& phases, const CVexoDoc& baseline, QWidget* parent = nullptr);
  //! Shows the iterators' setup again.
  virtual void Refresh() = 0;
  //! Asked before every edit of the setup; false refuses the edit.
  void SetEditGuard(std::function<bool()> guard) { guard_ = std::move(guard); }

 signals:
  //! The user changed the setup.
  void SetupChanged();

 protected:
  Iterator& Phase(int phase) const { return phase == 2 ? *phases_.phase2 : *phases_.phase1; }
  //! The test mode of `group` as the iterators hold it.
  GroupMode ModeOf(SlotGroup group) const;
  //! "Exclude" / "Single" / "Dual" (or "Exclude" / "Include") radio buttons in a box.
  QGroupBox* ModeBox(QButtonGroup*& buttons, bool dualAllowed);
  //! Adds the "Number of Tests:" row and the page's closing stretch to
  //! `layout`; returns the label that shows the count.
  QLabel* AddTestCount(QBoxLayout* layout);
  //! True when the user's edit may change the setup. A refused edit (or one
  //! made while the widgets are being refreshed) changes nothing, and the
  //! widgets show the setup as it is again.
  bool MayEdit();
  //! Product of the value counts of the active slotList among `slotList` in `phase` (1 when none).
  int TestsOf(int phase, std::initializer_list<int> slotList) const;

  IteratorPhases& phases_;
  const CVexoDoc& baseline_;
  bool refreshing_ = false;  //!< widgets being set from the iterators: no edits

 private:
  std::function<bool()> guard_;
};

}  // namespace brisca
