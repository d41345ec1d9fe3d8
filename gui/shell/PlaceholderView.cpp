#include "gui/shell/PlaceholderView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/document/VexoDoc.h"

namespace brisca {
namespace {

// Result quantities of the document's result queries.
constexpr int kPower = 2;
constexpr int kTorque = 3;
constexpr float kSweepLow = 1000.0f;
constexpr float kSweepHigh = 14500.0f;

}  // namespace

PlaceholderView::PlaceholderView(CVexoDoc& document, ViewRegistry& registry,
                                 std::optional<ViewSlot> slot, const QString& viewName,
                                 const QString& description, QWidget* parent)
    : QWidget(parent), document_(document), registry_(registry), summary_(new QLabel(this)) {
  setObjectName(QStringLiteral("placeholderView"));
  if (slot) registry_.Register(*slot, this);

  auto* title = new QLabel(viewName, this);
  title->setObjectName(QStringLiteral("placeholderTitle"));
  QFont titleFont = title->font();
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
  titleFont.setBold(true);
  title->setFont(titleFont);

  auto* text = new QLabel(description, this);
  text->setWordWrap(true);
  auto* coming = new QLabel(tr("This page comes with a later release of Brisca."), this);
  coming->setWordWrap(true);
  summary_->setObjectName(QStringLiteral("placeholderSummary"));
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  // The page's texts sit on a card in the middle of the page.
  auto* card = new QFrame(this);
  card->setObjectName(QStringLiteral("placeholderCard"));
  card->setFrameShape(QFrame::StyledPanel);
  card->setMaximumWidth(620);
  auto* cardLayout = new QVBoxLayout(card);
  cardLayout->setContentsMargins(24, 20, 24, 20);
  cardLayout->setSpacing(12);
  cardLayout->addWidget(title);
  cardLayout->addWidget(text);
  cardLayout->addWidget(coming);
  cardLayout->addSpacing(8);
  cardLayout->addWidget(summary_);

  auto* row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(card, 100);
  row->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(24, 24, 24, 24);
  layout->addStretch(1);
  layout->addLayout(row);
  layout->addStretch(2);
  UpdateView();
}

PlaceholderView::~PlaceholderView() { registry_.Unregister(this); }

void PlaceholderView::UpdateView() { summary_->setText(SummaryText()); }

QString PlaceholderView::ShownSummary() const { return summary_->text(); }

QString PlaceholderView::SummaryText() const {
  QString text = tr("Engine: %1 (%2 units)")
                     .arg(QString::fromStdString(document_.GetTitle()),
                          document_.IsMetric() ? tr("metric") : tr("domestic"));
  text += QLatin1Char('\n');
  if (document_.Results().IsEmpty()) {
    text += tr("Not run yet: no results.");
  } else {
    text += tr("Peak power %1 HP at %2 rpm; peak torque %3 lb-ft at %4 rpm.")
                .arg(document_.PeakInWindow(kPower, kSweepLow, kSweepHigh), 0, 'f', 1)
                .arg(document_.SpeedOfPeak(kPower), 0, 'f', 0)
                .arg(document_.PeakInWindow(kTorque, kSweepLow, kSweepHigh), 0, 'f', 1)
                .arg(document_.SpeedOfPeak(kTorque), 0, 'f', 0);
  }
  return text;
}

}  // namespace brisca
