#include "gui/report/ReportLayout.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextFragment>
#include <QTextFormat>
#include <QTextTable>
#include <QUrl>

#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "core/base/ErrCode.h"
#include "core/base/FileError.h"
#include "core/base/TextFile.h"
#include "gui/shell/PathText.h"
#include "gui/shell/PdfFile.h"

namespace brisca {
namespace {

// Lengths of the rich-text layout, in its 96-dpi pixels (it scales them to the
// paper): the page margin printing has always had, and the space under a
// table, whose CSS margins Qt's rich text does not take.
constexpr qreal kPageMargin = 2 / 2.54 * 96;
constexpr qreal kSpaceUnderTable = 12;

void SpaceUnderTables(QTextDocument& document) {
  for (QTextFrame* frame : document.rootFrame()->childFrames()) {
    if (auto* table = qobject_cast<QTextTable*>(frame)) {
      QTextTableFormat format = table->format();
      format.setBottomMargin(kSpaceUnderTable);
      table->setFormat(format);
    }
  }
}

// Finds the first table that runs over a page break though it would fit on
// one page, together with what leads to it (the last heading since the table
// before, and the lines between), and starts that on a new page. False when
// every such table stands on one page.
bool MoveOneTableToItsOwnPage(QTextDocument& document, qreal pageHeight, qreal bodyHeight) {
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  QTextBlock heading;
  for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
    if (it.currentFrame() == nullptr) {
      const QTextBlock block = it.currentBlock();
      if (block.blockFormat().headingLevel() > 0) heading = block;
      continue;
    }
    auto* table = qobject_cast<QTextTable*>(it.currentFrame());
    const QTextBlock lead = std::exchange(heading, QTextBlock());
    if (table == nullptr) continue;
    const QRectF box = layout->frameBoundingRect(table);
    const qreal top = lead.isValid() ? layout->blockBoundingRect(lead).top() : box.top();
    const qreal bottom = box.bottom() - table->format().bottomMargin();
    if (std::floor(top / pageHeight) == std::floor((bottom - 1) / pageHeight) || bottom - top > bodyHeight) continue;
    if (lead.isValid()) {
      QTextBlockFormat format;
      format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      QTextCursor(lead).mergeBlockFormat(format);
    } else {
      QTextTableFormat format = table->format();
      format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
      table->setFormat(format);
    }
    return true;
  }
  return false;
}

// The smallest share of its size a picture keeps when it is fitted into the
// rest of a page: smaller still, it reads better whole on the next page.
constexpr qreal kLeastPictureScale = 0.6;
constexpr qreal kPictureRoomShare = 0.95;

bool HoldsPicture(const QTextBlock& block) {
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    if (it.fragment().charFormat().isImageFormat()) return true;
  }
  return false;
}

// Scales every picture of `block` by `scale`.
void ScalePictures(QTextDocument& document, const QTextBlock& block, qreal scale) {
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    QTextImageFormat format = fragment.charFormat().toImageFormat();
    if (!format.isValid() || format.width() <= 0 || format.height() <= 0) continue;
    format.setWidth(format.width() * scale);
    format.setHeight(format.height() * scale);
    QTextCursor cursor(&document);
    cursor.setPosition(fragment.position());
    cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
    cursor.setCharFormat(format);
  }
}

// Finds the first picture that the layout pushed onto the next page though it
// would fit, a little smaller, into the rest of the page before (where its
// heading stays), and shrinks it to fit there. False when there is none.
// Each picture is looked at once, so this ends.
bool FitOnePictureIntoItsPage(QTextDocument& document, qreal pageHeight, qreal margin,
                              std::set<int>& tried) {
  QAbstractTextDocumentLayout* layout = document.documentLayout();
  for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
    if (it.currentFrame() != nullptr) continue;
    const QTextBlock block = it.currentBlock();
    const QRectF box = layout->blockBoundingRect(block);
    if (HoldsPicture(block) && block.layout()->lineCount() > 0 && tried.insert(block.position()).second) {
      // A picture that does not fit is moved down within its block, to the next page.
      const QTextLine line = block.layout()->lineAt(0);
      const qreal page = std::floor(box.top() / pageHeight);
      const bool pushed = std::floor((box.top() + line.y()) / pageHeight) > page;
      const qreal room = (page + 1) * pageHeight - margin - box.top();
      // The paragraph's own spacing comes on top of the picture's height: leave room for it.
      const qreal scale = line.height() > 0 ? kPictureRoomShare * room / line.height() : 0;
      if (pushed && scale >= kLeastPictureScale && scale < 1) {
        ScalePictures(document, block, scale);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

std::unique_ptr<QTextDocument> LayOutForPaper(const QTextDocument& report, QPagedPaintDevice& paper) {
  // A copy is laid out for the paper, as printing always did, so the report
  // on screen keeps its own layout.
  std::unique_ptr<QTextDocument> document(report.clone());
  document->setBaseUrl(report.baseUrl());
  SpaceUnderTables(*document);
  document->documentLayout()->setPaintDevice(&paper);
  QTextFrameFormat root = document->rootFrame()->frameFormat();
  root.setMargin(kPageMargin);
  document->rootFrame()->setFrameFormat(root);
  const QSizeF page(paper.width(), paper.height());
  document->setPageSize(page);
  const qreal margin = kPageMargin * paper.logicalDpiY() / 96.0;
  // Each move only pushes later tables down: it ends after at most one move per table.
  while (MoveOneTableToItsOwnPage(*document, page.height(), page.height() - 2 * margin)) {
  }
  std::set<int> tried;
  while (FitOnePictureIntoItsPage(*document, page.height(), margin, tried)) {
  }
  return document;
}

bool PrintReport(const QTextDocument& report, QPagedPaintDevice& paper) {
  QPainter painter;
  if (!painter.begin(&paper)) return false;
  const std::unique_ptr<QTextDocument> document = LayOutForPaper(report, paper);
  QAbstractTextDocumentLayout* layout = document->documentLayout();
  const QSizeF page = document->pageSize();
  const qreal margin = kPageMargin * paper.logicalDpiY() / 96.0;

  // The page number at the right end, just under the text.
  const QFont numberFont = document->defaultFont();
  const QPointF numberAt(page.width() - margin, page.height() - margin +
                                                     QFontMetricsF(numberFont, &paper).ascent() +
                                                     5 * paper.logicalDpiY() / 72.0);
  const int pages = document->pageCount();
  for (int index = 0; index < pages; ++index) {
    if (index > 0 && !paper.newPage()) return false;
    const QRectF view(0, index * page.height(), page.width(), page.height());
    painter.save();
    painter.translate(0, -view.top());
    painter.setClipRect(view);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = view;
    context.palette.setColor(QPalette::Text, Qt::black);
    layout->draw(&painter, context);
    painter.setClipping(false);
    painter.setFont(numberFont);
    const QString number = QString::number(index + 1);
    painter.drawText(QPointF(numberAt.x() - painter.fontMetrics().horizontalAdvance(number),
                             numberAt.y() + view.top()),
                     number);
    painter.restore();
  }
  return painter.end();
}

std::unique_ptr<QTextDocument> LayOutReport(const std::filesystem::path& reportFile,
                                            const std::filesystem::path& reportFolder) {
  // Read as every file is: a pipe or device given as the report is refused.
  std::string html;
  try {
    html = ReadTextFile(reportFile, "LayOutReport");
  } catch (const FileError&) {
    return nullptr;
  }
  auto report = std::make_unique<QTextDocument>();
  // A trailing separator makes the folder itself the base, not its parent. The
  // copy that printing lays out keeps the document's URL but not its base, so
  // both name the folder: otherwise the printed pictures would be looked for
  // in the current folder.
  const QUrl folder = QUrl::fromLocalFile(ToQString(reportFolder) + QLatin1Char('/'));
  report->setHtml(QString::fromStdString(html));
  report->setBaseUrl(folder);
  report->setMetaInformation(QTextDocument::DocumentUrl, folder.toString());
  return report;
}

void WriteReportPdf(QTextDocument& report, const std::filesystem::path& pdf, const QPageSize& paper) {
  PdfSetup setup;
  // The report's layout keeps a margin of its own (2 cm) on every side.
  setup.layout = QPageLayout(paper, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  setup.title = report.metaInformation(QTextDocument::DocumentTitle);
  setup.creator = QStringLiteral("Brisca");
  SavePdf(pdf, setup, [&report](QPdfWriter& writer) { return PrintReport(report, writer); });
}

bool SaveReportPdf(QTextDocument& report, const std::filesystem::path& pdf, const QPageSize& paper) {
  try {
    WriteReportPdf(report, pdf, paper);
  } catch (const FileError& error) {
    ReportErrorCode(error.code(), false, error.detail());
    return false;
  }
  return true;
}

}  // namespace brisca
