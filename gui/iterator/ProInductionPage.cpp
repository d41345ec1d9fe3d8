#include "gui/iterator/ProInductionPage.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/document/PartCat.h"
#include "core/document/VexoDoc.h"

namespace brisca {

CPartTypeSpec ManifoldChoice(int item) {
  CPartTypeSpec spec("Manifold Type", 1, kManifoldTypes);
  std::string name = "Manifold " + std::to_string(item);
  for (const CatalogueRow& row : ComponentCatalogue::Instance().CategoryRows(CatalogueCategory::Manifolds)) {
    if (row.item == item) name = row.name;
  }
  spec.SetSelection(item, name);
  return spec;
}

ProInductionPage::ProInductionPage(IteratorPhases& phases, const CVexoDoc& baseline, QWidget* parent)
    : ProPage(phases, baseline, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ModeBox(mode_, false));
  auto* groups = new QGridLayout;
  for (std::size_t g = 0; g < kManifoldGroups.size(); ++g) {
    const ManifoldGroup& group = kManifoldGroups[g];
    auto* box = new QGroupBox(tr(group.title), this);
    auto* column = new QVBoxLayout(box);
    for (int item = group.first; item <= group.last; ++item) {
      auto* check = new QCheckBox(QString::fromStdString(ManifoldChoice(item).GetText()), box);
      connect(check, &QCheckBox::toggled, this, [this, item](bool on) { OnManifold(item, on); });
      manifolds_[item - 1] = check;
      column->addWidget(check);
    }
    column->addStretch(1);
    groups->addWidget(box, static_cast<int>(g) / 2, static_cast<int>(g) % 2);
  }
  layout->addLayout(groups);

  auto* flow = new QGroupBox(tr("Induction Flow"), this);
  auto* flowLayout = new QVBoxLayout(flow);
  existing_ = new QRadioButton(tr("Use existing induction flow"), flow);
  raise_ = new QRadioButton(tr("Increase induction flow on all IRs"), flow);
  auto* why = new QLabel(tr("Increase induction flow to compensate for lack of common plenum "
                            "(required for realistic side-by-side comparisons)."),
                         flow);
  why->setWordWrap(true);
  for (QWidget* w : {static_cast<QWidget*>(existing_), static_cast<QWidget*>(raise_),
                     static_cast<QWidget*>(why)}) {
    flowLayout->addWidget(w);
  }
  layout->addWidget(flow);
  tests_ = AddTestCount(layout);

  connect(mode_, &QButtonGroup::idClicked, this, [this](int id) {
    if (!MayEdit()) return;
    Phase(1).EnableGroup(SlotGroup::Manifold, id == 1);
    Refresh();
    emit SetupChanged();
  });
  connect(raise_, &QRadioButton::toggled, this, [this](bool on) {
    if (!MayEdit()) return;
    Phase(1).SetRaiseInductionFlow(on);
    Phase(2).SetRaiseInductionFlow(on);
    emit SetupChanged();
  });
  Refresh();
}

void ProInductionPage::OnManifold(int item, bool checked) {
  if (!MayEdit()) return;
  Iterator& it = Phase(1);
  if (it.Variable(kSlotManifold).Capacity() < kManifoldTypes) {
    // A list made elsewhere may be smaller: keep its entries in a full-size one.
    const std::vector<CPartTypeSpec> kept = it.Variable(kSlotManifold).Entries();
    it.SetListVariable(kSlotManifold, kManifoldTypes);
    for (const CPartTypeSpec& entry : kept) it.AddListEntry(kSlotManifold, entry);
  }
  if (checked) {
    it.AddListEntry(kSlotManifold, ManifoldChoice(item));
  } else {
    it.RemoveListEntry(kSlotManifold, item);
  }
  Refresh();
  emit SetupChanged();
}

void ProInductionPage::Refresh() {
  refreshing_ = true;
  const Iterator& it = Phase(1);
  const bool include = it.IsGroupEnabled(SlotGroup::Manifold);
  mode_->button(include ? 1 : 0)->setChecked(true);
  for (int item = 1; item <= kManifoldTypes; ++item) {
    manifolds_[item - 1]->setChecked(it.ListContains(kSlotManifold, item));
    manifolds_[item - 1]->setEnabled(include);
  }
  (it.RaiseInductionFlow() ? raise_ : existing_)->setChecked(true);
  const int count = static_cast<int>(it.Variable(kSlotManifold).Entries().size());
  tests_->setText(include ? QString::number(count) : tr("Not Used"));
  refreshing_ = false;
}

}  // namespace brisca
