#include "gui/results/ResultsTableView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>

#include <algorithm>

#include "core/document/VexoDoc.h"
#include "core/results/TestConditions.h"
#include "gui/shell/ColorScheme.h"

namespace brisca {
namespace {

// Colour-scheme entries of the tables.
constexpr int kBackground = 43;
constexpr int kTitleText = 44;
constexpr int kHeaderText = 45;
constexpr int kBodyText = 46;
constexpr int kRules = 47;
constexpr int kBandFrame = 48;

// Colour bands behind the columns (schemes other than the first).
const QColor kSpeedBand(0xff, 0xff, 0x99);
const QColor kPowerBand(0xff, 0x33, 0x33);
const QColor kTorqueBand(0x33, 0x99, 0x00);
const QColor kPressureBand(0x33, 0x33, 0x99);

// Layout of the table [px].
constexpr int kLeft = 20;
constexpr int kTitleTop = 8;
constexpr int kHeaderTop = 43;
constexpr int kRowsPerGroup = 4;
constexpr int kCanvasColumns = 130;  //!< canvas width in average characters
constexpr int kCanvasLines = 50;     //!< canvas height in lines

const char* const kStandardTitle = "Calculated Power and Engine Pressures";
const char* const kExtendedTitle = "Corvald Calculated Power and Engine Pressures";

QFont TitleFont() {
  QFont font(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(11);
  font.setWeight(QFont::Black);
  font.setItalic(true);
  return font;
}

QFont BodyFont() { return QFontDatabase::systemFont(QFontDatabase::GeneralFont); }

// Text whose top-left corner is at (x, top).
void DrawTextAt(QPainter& painter, int x, int top, const QString& text) {
  painter.drawText(x, top + painter.fontMetrics().ascent(), text);
}

QColor BandColor(ResultsTableKind kind, int column) {
  if (column == 0) return kSpeedBand;
  if (column == 1) return kPowerBand;
  if (kind == ResultsTableKind::Extended) return kPressureBand;
  if (column == 3) return kPowerBand;
  if (column == 2 || column == 4) return kTorqueBand;
  return kPressureBand;
}

// The y of the last row's texts for `rowCount` rows.
int LastRowTop(int h, int rowCount) {
  int y = kHeaderTop + 2 * h;
  for (int i = 0; i < rowCount; ++i) y += (i % kRowsPerGroup == 0 && i > 0) ? 2 * h : h;
  return y;
}

// The lowest y the table's bands or rules reach for `rowCount` rows.
int TableBottom(int h, int rowCount) {
  const int groups = (rowCount + kRowsPerGroup - 1) / kRowsPerGroup;
  const int bandBottom = kHeaderTop - h / 4 + h * (groups + rowCount + 2) + 2 * (h / 4) + h;
  const int ruleBottom = LastRowTop(h, rowCount) + 5 * h / 4;
  return std::max(bandBottom, ruleBottom);
}

// The top of the conditions note: half a line below the table.
int NoteTop(int h, int rowCount) { return TableBottom(h, rowCount) + h / 2; }

// The canvas the table is painted on, inside the scrolling view.
class TableCanvas : public QWidget {
 public:
  TableCanvas(const CResultsTableView& view, QWidget* parent) : QWidget(parent), view_(view) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), SchemeColor(kBackground));
    view_.Paint(painter, false);
  }

 private:
  const CResultsTableView& view_;
};

}  // namespace

CResultsTableView::CResultsTableView(CVexoDoc& document, ViewRegistry& registry, bool registered,
                                     QWidget* parent)
    : CResultsTableView(document, registry,
                        registered ? std::optional<ViewSlot>(ViewSlot::ResultsTable) : std::nullopt,
                        ResultsTableKind::Standard, parent) {}

CResultsTableView::CResultsTableView(CVexoDoc& document, ViewRegistry& registry,
                                     std::optional<ViewSlot> slot, ResultsTableKind kind,
                                     QWidget* parent)
    : QScrollArea(parent),
      document_(document),
      registry_(registry),
      kind_(kind),
      canvas_(new TableCanvas(*this, this)) {
  setObjectName(kind == ResultsTableKind::Standard ? QStringLiteral("resultsTable")
                                                   : QStringLiteral("proResultsTable"));
  if (slot) registry_.Register(*slot, this);
  setFocusPolicy(Qt::StrongFocus);
  QPalette colors = palette();
  colors.setColor(QPalette::Window, SchemeColor(kBackground));
  setPalette(colors);
  setBackgroundRole(QPalette::Window);
  setWidget(canvas_);
  ResizeCanvas();
  UpdateView();
}

CResultsTableView::~CResultsTableView() { registry_.Unregister(this); }

CProResultsTableView::CProResultsTableView(CVexoDoc& document, ViewRegistry& registry,
                                           bool registered, QWidget* parent)
    : CResultsTableView(document, registry,
                        registered && registry.View(ViewSlot::ResultsTable)
                            ? std::optional<ViewSlot>(ViewSlot::ProDataTable)
                            : std::nullopt,
                        ResultsTableKind::Extended, parent) {}

QString CResultsTableView::Title() const {
  return tr(kind_ == ResultsTableKind::Standard ? kStandardTitle : kExtendedTitle);
}

void CResultsTableView::UpdateView() {
  shown_ = CopyText();
  canvas_->update();
}

void CResultsTableView::ResizeCanvas() {
  const QFontMetrics metrics(BodyFont(), canvas_);
  // Room for the band frame right of the widest table.
  canvas_->setFixedSize(std::max(kCanvasColumns * metrics.averageCharWidth(),
                                 RightEdge(metrics) + kLeft + 2 * metrics.averageCharWidth()),
                        kCanvasLines * metrics.height());
}

CResultsTableView::Metrics CResultsTableView::MetricsOf(const QFontMetrics& metrics) const {
  Metrics m;
  m.h = metrics.height();
  m.cw = std::max(1, metrics.averageCharWidth());
  // Ten average characters a column; wider where a header word needs it, so
  // that two characters' width stay clear right of every header: one reads as
  // the space between two words of one heading.
  m.edges.push_back(kLeft);
  for (const ResultsTableColumn& column : ResultsTableColumns(kind_)) {
    const int words = std::max(metrics.horizontalAdvance(tr(column.line1)),
                               metrics.horizontalAdvance(tr(column.line2)));
    m.edges.push_back(m.edges.back() + std::max(10 * m.cw, words + 2 * m.cw));
  }
  return m;
}

int CResultsTableView::RightEdge(const QFontMetrics& metrics) const { return RightEdge(MetricsOf(metrics)); }

void CResultsTableView::PaintBands(QPainter& painter, const Metrics& m, int rowCount) const {
  const int groups = (rowCount + kRowsPerGroup - 1) / kRowsPerGroup;
  const int bandHeight = m.h * (groups + rowCount + 2) + 2 * (m.h / 4);
  const int top = kHeaderTop - m.h / 4;
  const int right = RightEdge(m);
  painter.fillRect(kLeft - m.cw, top - m.h, (right - kLeft) + 2 * m.cw, bandHeight + 2 * m.h,
                   SchemeColor(kBandFrame));
  const int columns = static_cast<int>(ResultsTableColumns(kind_).size());
  for (int k = 0; k < columns; ++k)
    painter.fillRect(m.edges[k], top, m.edges[k + 1] - m.edges[k], bandHeight, BandColor(kind_, k));
}

void CResultsTableView::Paint(QPainter& painter, bool printing) const {
  painter.save();
  if (!printing) painter.setFont(BodyFont());
  const Metrics m = MetricsOf(painter.fontMetrics());
  const QFont body = painter.font();
  const ResultSet results = document_.ShownResults();
  const auto rows = ResultsTableRowsOf(document_.Chart(ChartRole::Second).X(), results);
  const int n = static_cast<int>(rows.size());
  const auto columns = ResultsTableColumns(kind_);
  const int right = RightEdge(m);
  const bool bands = !printing && ActiveScheme() != 0;
  auto color = [printing](int entry) { return printing ? QColor(Qt::black) : SchemeColor(entry); };
  auto textColor = [&](int entry, int column) {
    return bands && column == 0 ? QColor(Qt::black) : color(entry);
  };

  if (bands) PaintBands(painter, m, n);

  // Title on its own background.
  if (!printing) painter.setFont(TitleFont());
  painter.setPen(color(kTitleText));
  painter.setBackground(printing ? QColor(Qt::white) : SchemeColor(kBackground));
  painter.setBackgroundMode(Qt::OpaqueMode);
  DrawTextAt(painter, kLeft, kTitleTop, printing ? Title().toUpper() : Title());
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setFont(body);

  for (int k = 0; k < static_cast<int>(columns.size()); ++k) {
    const int x = m.edges[static_cast<std::size_t>(k)] + m.cw;
    painter.setPen(textColor(kHeaderText, k));
    DrawTextAt(painter, x, kHeaderTop, tr(columns[k].line1));
    DrawTextAt(painter, x, kHeaderTop + m.h, tr(columns[k].line2));
  }

  QPen rule(color(kRules), 0);
  auto hline = [&](int y) {
    painter.setPen(rule);
    painter.drawLine(kLeft, y, right, y);
  };
  hline(kHeaderTop - m.h / 4);
  hline(kHeaderTop + 1 - m.h / 4);
  hline(kHeaderTop + 9 * m.h / 4);
  hline(kHeaderTop + 1 + 9 * m.h / 4);

  int y = kHeaderTop + 2 * m.h;
  for (int i = 0; i < n; ++i) {
    if (i % kRowsPerGroup == 0 && i > 0) {
      hline(y + 3 * m.h / 2);
      hline(y + 3 * m.h / 2 + 1);
      y += 2 * m.h;
    } else {
      y += m.h;
    }
    const auto cells = ResultsTableCells(kind_, rows[static_cast<std::size_t>(i)], results);
    for (int k = 0; k < static_cast<int>(cells.size()); ++k) {
      if (cells[static_cast<std::size_t>(k)].empty()) continue;
      painter.setPen(textColor(kBodyText, k));
      DrawTextAt(painter, m.edges[static_cast<std::size_t>(k)] + m.cw, y,
                 QString::fromStdString(cells[static_cast<std::size_t>(k)]));
    }
  }
  hline(y + 5 * m.h / 4);
  painter.setPen(rule);
  painter.drawLine(m.edges[1], kHeaderTop - m.h / 4, m.edges[1], y + 5 * m.h / 4);
  if (const QString note = Note(); !note.isEmpty()) {
    painter.setPen(color(kTitleText));  // on the view's background, as the title
    DrawTextAt(painter, kLeft, NoteTop(m.h, n), note);
  }
  painter.restore();
}

QString CResultsTableView::Note() const {
  const TestConditions& conditions = document_.DisplayConditions();
  return IsTransformed(conditions) ? QString::fromStdString(ConditionsNote(conditions, false)) : QString();
}

QRect CResultsTableView::TableExtent(QPaintDevice* device) const {
  const QFontMetrics metrics(BodyFont(), device);
  const Metrics m = MetricsOf(metrics);
  const int n = document_.Results().count;
  int right = RightEdge(m) + kLeft;
  int bottom = TableBottom(m.h, n) + m.h;
  if (const QString note = Note(); !note.isEmpty()) {
    right = std::max(right, kLeft + metrics.horizontalAdvance(note) + kLeft);
    bottom = NoteTop(m.h, n) + 2 * m.h;
  }
  return QRect(0, 0, right, bottom);
}

QString CResultsTableView::CopyText() const {
  const ResultSet results = document_.ShownResults();
  const auto columns = ResultsTableColumns(kind_);
  QStringList lines;
  // As the command line's exports: what the figures hold for as a comment line first.
  if (const QString note = Note(); !note.isEmpty()) lines << QStringLiteral("# ") + note;
  lines << QString::fromStdString(document_.GetTitle()) + QLatin1Char('\t') + Title();
  QStringList line1, line2;
  for (const ResultsTableColumn& column : columns) {
    line1 << tr(column.line1);
    line2 << tr(column.line2);
  }
  lines << line1.join(QLatin1Char('\t')) << line2.join(QLatin1Char('\t'));
  for (const ResultsTableRow& row :
       ResultsTableRowsOf(document_.Chart(ChartRole::Second).X(), results)) {
    QStringList cells;
    for (const std::string& cell : ResultsTableCells(kind_, row, results))
      cells << QString::fromStdString(cell);
    lines << cells.join(QLatin1Char('\t'));
  }
  return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void CResultsTableView::Copy() const { QApplication::clipboard()->setText(CopyText()); }

void CResultsTableView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* copy = menu.addAction(tr("&Copy"));
  copy->setShortcut(QKeySequence::Copy);
  if (menu.exec(event->globalPos()) == copy) Copy();
}

void CResultsTableView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    Copy();
    event->accept();
    return;
  }
  QScrollArea::keyPressEvent(event);
}

}  // namespace brisca
