#include "gui/iterator/ProPage.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace brisca {

ProPage::ProPage(IteratorPhases& phases, const CVexoDoc& baseline, QWidget* parent)
    : QWidget(parent), phases_(phases), baseline_(baseline) {}

bool ProPage::MayEdit() {
  if (refreshing_) return false;
  if (!guard_ || guard_()) return true;
  Refresh();
  return false;
}

GroupMode ProPage::ModeOf(SlotGroup group) const {
  if (!Phase(1).IsGroupEnabled(group)) return GroupMode::Exclude;
  return Phase(2).IsGroupEnabled(group) ? GroupMode::Dual : GroupMode::Single;
}

QLabel* ProPage::AddTestCount(QBoxLayout* layout) {
  auto* count = new QHBoxLayout;
  count->addWidget(new QLabel(tr("Number of Tests:"), this));
  auto* tests = new QLabel(this);
  count->addWidget(tests);
  count->addStretch(1);
  layout->addLayout(count);
  layout->addStretch(1);
  return tests;
}

QGroupBox* ProPage::ModeBox(QButtonGroup*& buttons, bool dualAllowed) {
  auto* box = new QGroupBox(tr("Test Mode"), this);
  auto* row = new QHBoxLayout(box);
  buttons = new QButtonGroup(box);
  const QStringList texts = dualAllowed ? QStringList{tr("Exclude"), tr("Single"), tr("Dual")}
                                        : QStringList{tr("Exclude"), tr("Include")};
  for (int i = 0; i < texts.size(); ++i) {
    auto* radio = new QRadioButton(texts[i], box);
    buttons->addButton(radio, i);
    row->addWidget(radio);
  }
  row->addStretch(1);
  return box;
}

int ProPage::TestsOf(int phase, std::initializer_list<int> slotList) const {
  int tests = 1;
  const Iterator& it = Phase(phase);
  for (int slot : slotList) {
    const IterationVariable& v = it.Variable(slot);
    if (v.Type() != kVarNone && v.IsEnabled() && v.ValueCount() > 1) tests *= v.ValueCount();
  }
  return tests;
}

}  // namespace brisca
