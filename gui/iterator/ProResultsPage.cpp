#include "gui/iterator/ProResultsPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/iterator/IteratorCharts.h"
#include "gui/results/chartlib/Chart2D.h"
#include "gui/results/chartlib/Surface3D.h"

namespace brisca {

ProResultsPage::ProResultsPage(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  run_ = new QPushButton(tr("Run/Stop"), this);
  restart_ = new QPushButton(tr("Restart"), this);
  for (QPushButton* b : {run_, restart_}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch(1);
  layout->addLayout(buttons);

  auto* charts = new QHBoxLayout;
  bars_ = new CChart2D(this);
  bars_->setObjectName(QStringLiteral("proBarChart"));
  bars_->setMinimumSize(200, 280);
  InitResultBars(*bars_);
  charts->addWidget(bars_, 2);
  auto* surfaceColumn = new QVBoxLayout;
  surface_ = new CSurface3D(this);
  surface_->setObjectName(QStringLiteral("proSurface"));
  surface_->setMinimumSize(320, 250);
  surfaceColumn->addWidget(surface_, 1);
  auto* rotation = new QHBoxLayout;
  const char* texts[7] = {"X+", "X-", "Y+", "Y-", "Z+", "Z-", "Home"};
  for (int i = 0; i < 7; ++i) {
    rotate_[i] = new QPushButton(QString::fromLatin1(texts[i]), this);
    rotate_[i]->setAutoDefault(false);
    rotate_[i]->setMaximumWidth(rotate_[i]->fontMetrics().horizontalAdvance(QStringLiteral("Home")) + 24);
    rotation->addWidget(rotate_[i]);
    connect(rotate_[i], &QPushButton::clicked, this, [this, i] {
      if (i == 6) {
        surface_->Home();
      } else {
        surface_->Rotate(i / 2, i % 2 == 0 ? 1 : -1);
      }
    });
  }
  rotation->addStretch(1);
  surfaceColumn->addLayout(rotation);
  charts->addLayout(surfaceColumn, 3);
  layout->addLayout(charts, 1);

  // Each box names its result's slot and score, so a result can be told
  // apart without the bars: two rows of five leave room for the scores.
  auto* save = new QGridLayout;
  save->addWidget(new QLabel(tr("Save:"), this), 0, 0);
  constexpr int kPerRow = kIteratorResults / 2;
  for (int slot = 0; slot < kIteratorResults; ++slot) {
    save_[slot] = new QCheckBox(this);
    save_[slot]->setMinimumWidth(save_[slot]->sizeHint().width() +
                                 save_[slot]->fontMetrics().horizontalAdvance(QStringLiteral("10: 8888.8")));
    connect(save_[slot], &QCheckBox::toggled, this, [this, slot](bool on) {
      if (!filling_) emit KeepChanged(slot, on);
    });
    save->addWidget(save_[slot], slot / kPerRow, slot % kPerRow + 1);
  }
  save->setColumnStretch(kPerRow + 1, 1);
  layout->addLayout(save);
  ShowScores({}, 0);
}

void ProResultsPage::ShowResults(const RunSnapshot& snapshot) {
  ShowResultBars(*bars_, snapshot, axis_);
  ShowResultSurface(*surface_, snapshot);
  ShowScores(snapshot.scores, snapshot.keptCount);
}

void ProResultsPage::ShowScores(const std::array<float, kIteratorResults>& scores, int kept) {
  for (int slot = 0; slot < kIteratorResults; ++slot) {
    save_[slot]->setText(slot < kept ? QString::asprintf("%d: %.1f", slot + 1, scores[slot])
                                     : QString::number(slot + 1));
  }
}

void ProResultsPage::ShowSaveButtons(const Iterator& series) {
  filling_ = true;
  std::array<float, kIteratorResults> scores{};
  for (int slot = 0; slot < kIteratorResults; ++slot) {
    const bool held = slot < series.KeptCount();
    save_[slot]->setEnabled(held);
    save_[slot]->setChecked(held && series.Result(slot).keep);
    scores[slot] = held ? series.Result(slot).score : 0.0f;
  }
  ShowScores(scores, series.KeptCount());
  filling_ = false;
}

}  // namespace brisca
