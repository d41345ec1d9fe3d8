#include "gui/engine/EnginePrinter.h"

#include <algorithm>
#include <vector>

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QGuiApplication>

#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/base/FatalAssert.h"
#include "core/base/Version.h"
#include "core/document/VexoDoc.h"
#include "gui/engine/EngineFormView.h"
#include "gui/engine/SimSpecEditCtrl.h"
#include "gui/results/Chart2dView.h"
#include "gui/results/ResultsTableView.h"
#include "gui/shell/PathText.h"
#include "gui/shell/PdfFile.h"
#include "gui/shell/ViewRegistry.h"

namespace brisca {

namespace {

// Two thirds of a screen inch of form coordinates print as one inch.
constexpr double kPrintScale = 0.6666667;
constexpr int kFontPoints = 10;
constexpr int kExtendedTablePercent = 75;

double ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInch() : 96.0;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Text at (x, y), its top-left corner there.
void TextAt(QPainter& painter, int x, int y, const QString& text) {
  const QFontMetrics metrics = painter.fontMetrics();
  painter.drawText(QRect(x, y, metrics.horizontalAdvance(text) + 1, metrics.height()),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

// The form's logical units per inch on the page: the truncated screen inch.
int LogicalPerInch() { return static_cast<int>(ScreenDpi() * kPrintScale); }

QFont PrintFont(double unitsPerInch) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(std::max(1, static_cast<int>(unitsPerInch * kFontPoints / 72.0 + 0.5)));
  return font;
}

}  // namespace

EnginePrinter::EnginePrinter(const CVexoDoc& document, const ViewRegistry& views)
    : document_(document), views_(views) {}

QString EnginePrinter::Title() const { return Text(document_.GetTitle()); }

QString EnginePrinter::ProgramText() {
  return QStringLiteral("Brisca") + QStringLiteral("  Version ") + QString::fromLatin1(ProgramVersion());
}

QString EnginePrinter::PageText(int page) {
  return QString::asprintf(" Page %d of %d", page, kPageCount);
}

QWidget* EnginePrinter::RegisteredView(int slot) const {
  QWidget* view = views_.View(static_cast<ViewSlot>(slot));
  BRISCA_ASSERT(view != nullptr);
  return view;
}

PrintPageGeometry EnginePrinter::GeometryOf(const QPrinter& printer) {
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  const QRectF page = printer.pageRect(QPrinter::DevicePixel);
  return {paper.translated(-page.topLeft()), QRectF(QPointF(0, 0), page.size()),
          static_cast<double>(printer.logicalDpiX()), static_cast<double>(printer.logicalDpiY())};
}

PrintPageGeometry EnginePrinter::GeometryOf(const QPdfWriter& writer) {
  const QPageLayout layout = writer.pageLayout();
  const QRectF paper = layout.fullRectPixels(writer.resolution());
  const QRectF page = layout.paintRectPixels(writer.resolution());
  return {paper.translated(-page.topLeft()), QRectF(QPointF(0, 0), page.size()),
          static_cast<double>(writer.logicalDpiX()), static_cast<double>(writer.logicalDpiY())};
}

void EnginePrinter::PaintPage(QPainter& painter, int page, const PrintPageGeometry& geometry) const {
  BRISCA_ASSERT(page >= 1 && page <= kPageCount);
  painter.save();
  painter.setPen(QPen(Qt::black, 0));
  painter.setBackgroundMode(Qt::TransparentMode);
  PaintHeader(painter, page, geometry);

  if (page >= 6) {
    PaintChart(painter, page == 7, geometry);
    painter.restore();
    return;
  }
  // The body: half an inch right and down, form units scaled to the device.
  painter.translate(geometry.dpiX / 2, geometry.dpiY / 2);
  const double units = LogicalPerInch();
  painter.scale(geometry.dpiX / units, geometry.dpiY / units);
  painter.setFont(PrintFont(units));
  switch (page) {
    case 1:
    case 2: PaintFormPage(painter, page == 2); break;
    case 3: PaintFlowPage(painter); break;
    case 4: PaintTable(painter, false); break;
    case 5: {
      // Smaller than the other pages, and smaller still where its columns
      // would run past the header's rule.
      const double room = (geometry.paper.right() - geometry.dpiX) * units / geometry.dpiX;
      const int width = ExtendedTable().RightEdge(painter.fontMetrics());
      const double scale = std::min(kExtendedTablePercent / 100.0, room / std::max(width, 1));
      painter.scale(scale, scale);
      PaintTable(painter, true);
      break;
    }
  }
  painter.restore();
}

void EnginePrinter::PaintHeader(QPainter& painter, int page, const PrintPageGeometry& geometry) const {
  painter.save();
  painter.setFont(PrintFont(geometry.dpiY));
  const int left = static_cast<int>(geometry.paper.left() + geometry.dpiX / 2);
  const int right = static_cast<int>(geometry.paper.right() - geometry.dpiX / 2);
  const int y = static_cast<int>(geometry.paper.top() + geometry.dpiY / 2);
  painter.drawLine(left, y, right, y);
  const int h = painter.fontMetrics().height();
  const QRect line(left, y - h * 5 / 4, right - left, h);
  painter.setPen(Qt::black);
  painter.drawText(line, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, Title());
  painter.drawText(line, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, ProgramText());
  painter.drawText(line, Qt::AlignRight | Qt::AlignTop | Qt::TextDontClip, PageText(page));
  painter.restore();
}

void EnginePrinter::PaintFormPage(QPainter& painter, bool secondPage) const {
  const auto& form = *static_cast<CEngineFormView*>(RegisteredView(static_cast<int>(ViewSlot::EngineForm)));
  const QRect camshaft = form.GroupBox(form::kCamshaftGroup);
  const QRect notes = form.GroupBox(form::kNotesGroup);
  auto onSecondPage = [&](const QPoint& p) { return camshaft.contains(p) || notes.contains(p); };
  if (secondPage) painter.translate(0, -(camshaft.top() - form.GroupBox(form::kShortBlockGroup).top()));
  const int h = painter.fontMetrics().height();
  // The form's groups follow each other closely: on paper each one moves down
  // by half a line more than the one above, so no title touches the box above.
  std::vector<int> tops;
  for (int g = 0; g < form::kGroupCount; ++g) {
    const QRect box = form.GroupBox(static_cast<form::GroupIndex>(g));
    if (onSecondPage(box.topLeft()) == secondPage) tops.push_back(box.top());
  }
  std::sort(tops.begin(), tops.end());
  auto down = [&](int y) {
    const auto above = std::upper_bound(tops.begin(), tops.end(), y) - tops.begin();
    return static_cast<int>(std::max<std::ptrdiff_t>(above - 1, 0)) * (h / 2);
  };

  // Group frames with their titles.
  for (int g = 0; g < form::kGroupCount; ++g) {
    QRect box = form.GroupBox(static_cast<form::GroupIndex>(g));
    if (onSecondPage(box.topLeft()) != secondPage) continue;
    box.translate(0, down(box.top()));
    TextAt(painter, box.left(), box.top(), QString::fromLatin1(form::Groups()[g].title));
    const int top = box.top() + h + h / 4;
    // The box ends above its foot, which takes the last row's descent.
    const int bottom = box.top() + box.height() + h / 4;
    painter.drawPolyline(QPolygon({QPoint(box.left(), top), QPoint(box.right(), top),
                                   QPoint(box.right(), bottom), QPoint(box.left(), bottom),
                                   QPoint(box.left(), top)}));
  }
  for (const QRect& separator : form.SeparatorRects()) {
    if (onSecondPage(separator.topLeft()) != secondPage) continue;
    const int y = separator.top() + down(separator.top());
    painter.drawLine(separator.left(), y, separator.right(), y);
  }
  // The controls: value fields and labels by their text, the check box by its mark.
  const QWidget* canvas = form.Canvas();
  for (QWidget* child : canvas->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isHidden() || onSecondPage(child->pos()) != secondPage) continue;
    const QRect place = child->geometry().translated(0, down(child->y()));
    QString text;
    if (auto* field = qobject_cast<CPopUpStatic*>(child)) {
      text = field->ShownText();
    } else if (auto* box = qobject_cast<QCheckBox*>(child)) {
      TextAt(painter, place.x(), place.y(), box->isChecked() ? QStringLiteral("( X )") : QStringLiteral("(   )"));
      continue;
    } else if (auto* label = qobject_cast<QLabel*>(child)) {
      text = label->text();
    } else {
      continue;  // buttons, rod radio buttons, lights and lamps
    }
    painter.drawText(place, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  }
}

void EnginePrinter::PaintFlowPage(QPainter& painter) const {
  const CCylHeadFlow& flow = document_.Engine().flow;
  const int h = painter.fontMetrics().height() * 9 / 8;
  auto underline = [&](int y, int x0, int x1) { painter.drawLine(x0, y + h, x1, y + h); };
  TextAt(painter, 30, 8, QStringLiteral("CYLINDER HEAD AIRFLOW DATA"));
  TextAt(painter, 30, 30, QStringLiteral("Description: ") + Text(flow.GetDescription()));
  struct Column {
    FlowSide side;
    const char* title;
    int x, valueX, flowX;
  };
  for (const Column& c : {Column{FlowSide::Intake, "Intake Valve", 30, 102, 120},
                          Column{FlowSide::Exhaust, "Exhaust Valve", 218, 289, 308}}) {
    TextAt(painter, c.x, 60, QString::fromLatin1(c.title));
    underline(60, c.x, c.x + 138);
    const CFloatPtSpec& diameter = flow.TestDiameter(c.side);
    const CFloatPtSpec& drop = flow.PressureDrop(c.side);
    TextAt(painter, c.x, 80, QStringLiteral("Test Diameter:"));
    TextAt(painter, c.valueX, 80, Text(diameter.GetText()) + QLatin1Char(' ') + QString::fromUtf8(diameter.GetUnitLabel()));
    TextAt(painter, c.x, 95, QStringLiteral("Pressure Drop:"));
    TextAt(painter, c.valueX, 95, Text(drop.GetText()) + QLatin1Char(' ') + QString::fromUtf8(drop.GetUnitLabel()));
    TextAt(painter, c.x, 110, QStringLiteral("Valves Per Port:"));
    TextAt(painter, c.valueX, 110, Text(flow.ValvesPerPort(c.side).GetText()));
    TextAt(painter, c.x, 134, QStringLiteral("Lift: ") + QString::fromUtf8(flow.Lift(c.side, 0).GetUnitLabel()));
    underline(134, c.x, c.x + 48);
    TextAt(painter, c.flowX, 134, QStringLiteral("Flow: ") + QString::fromUtf8(flow.Flow(c.side, 0).GetUnitLabel()));
    underline(134, c.flowX, c.flowX + 48);
    for (int i = 0; i < kMaxFlowPoints; ++i) {
      TextAt(painter, c.x, 152 + 24 * i, Text(flow.Lift(c.side, i).GetText()));
      TextAt(painter, c.flowX, 152 + 24 * i, Text(flow.Flow(c.side, i).GetText()));
    }
  }
}

void EnginePrinter::PaintTable(QPainter& painter, bool extended) const {
  (extended ? ExtendedTable() : *static_cast<const CResultsTableView*>(
                                    RegisteredView(static_cast<int>(ViewSlot::ResultsTable))))
      .Paint(painter, true);
}

const CResultsTableView& EnginePrinter::ExtendedTable() const {
  return *static_cast<const CResultsTableView*>(RegisteredView(static_cast<int>(ViewSlot::ProDataTable)));
}

void EnginePrinter::PaintChart(QPainter& painter, bool second, const PrintPageGeometry& geometry) const {
  const auto slot = second ? ViewSlot::SecondChart : ViewSlot::FirstChart;
  const auto* chart = static_cast<const CChart2dView*>(RegisteredView(static_cast<int>(slot)));
  chart->PaintForPrint(painter, geometry.printable, geometry.dpiY);
}

bool EnginePrinter::Print(QPrinter& printer) const { return PrintPages(printer, GeometryOf(printer)); }

void EnginePrinter::SavePdf(const QPrinter& like, const std::filesystem::path& target) const {
  brisca::SavePdf(target, PdfSetup::Like(like),
                  [this](QPdfWriter& writer) { return PrintPages(writer, GeometryOf(writer)); });
}

bool EnginePrinter::PrintPages(QPagedPaintDevice& device, const PrintPageGeometry& geometry) const {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  bool started = true;
  for (int page = 1; page <= kPageCount && started; ++page) {
    if (page > 1) started = device.newPage();
    if (started) PaintPage(painter, page, geometry);
  }
  return painter.end() && started;
}

void EnginePrinter::Preview(const CVexoDoc& document, const ViewRegistry& views, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdString(document.GetTitle()));
  QPrintPreviewDialog dialog(&printer, parent);
  const EnginePrinter report(document, views);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&report](QPrinter* target) { report.Print(*target); });
  dialog.exec();
}

void EnginePrinter::PrintWithDialog(const CVexoDoc& document, const ViewRegistry& views, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdString(document.GetTitle()));
  QPrintDialog dialog(&printer, parent);
  dialog.setMinMax(1, kPageCount);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  if (dialog.exec() != QDialog::Accepted) return;
  const EnginePrinter report(document, views);
  if (const QString file = PdfFileOf(printer); !file.isEmpty()) {
    try {
      report.SavePdf(printer, ToPath(file));
    } catch (const FileError& error) {
      ReportErrorCode(error.code(), false, error.detail());
    }
    return;
  }
  // A printer that cannot be started must not pass as printed.
  if (!report.Print(printer)) ReportErrorCode(kErrWrite);
}

}  // namespace brisca
