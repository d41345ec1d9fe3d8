// make_manual: typesets the user manual from its Markdown chapters into a PDF.
//   make_manual [--version TEXT] [--pages-png DIR] OUTPUT.pdf CHAPTER.md...
// The chapters are joined in the order given; "@VERSION@" in their text becomes the
// version. The PDF gets a title page, a table of contents with page numbers and a
// footer on every page. --pages-png also writes each page as a PNG for proofreading.
// Runs on any Qt platform; the build runs it on the offscreen one.

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

const QColor kHeadingColour(0x1d, 0x3f, 0x6e);
const QColor kRuleColour(0x9a, 0xa8, 0xb8);
const QColor kCodeBackground(0xf0, 0xf2, 0xf5);
const QColor kTableHeaderBackground(0xdd, 0xe5, 0xef);
const QColor kNoteBackground(0xfb, 0xf4, 0xdf);
const QString kBodyFamily = QStringLiteral("DejaVu Sans");
const QString kCodeFamily = QStringLiteral("DejaVu Sans Mono");
constexpr qreal kBodyPointSize = 10.0;
constexpr qreal kFooterMillimetres = 10.0;

struct Options {
  QString version;
  QString pngFolder;
  QString output;
  QStringList chapters;
};

bool ParseArguments(const QStringList& args, Options& options) {
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--version") && i + 1 < args.size()) {
      options.version = args[++i];
    } else if (args[i] == QLatin1String("--pages-png") && i + 1 < args.size()) {
      options.pngFolder = args[++i];
    } else if (options.output.isEmpty()) {
      options.output = args[i];
    } else {
      options.chapters << args[i];
    }
  }
  return !options.output.isEmpty() && !options.chapters.isEmpty();
}

bool ReadChapters(const Options& options, QString& markdown) {
  for (const QString& path : options.chapters) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
      std::fprintf(stderr, "make_manual: cannot read %s\n", qPrintable(path));
      return false;
    }
    markdown += QString::fromUtf8(file.readAll()) + QStringLiteral("\n\n");
  }
  markdown.replace(QStringLiteral("@VERSION@"), options.version);
  return true;
}

QTextCharFormat HeadingCharFormat(int level) {
  static const qreal sizes[] = {22.0, 15.0, 12.5, 11.0, 10.0, 10.0};
  QTextCharFormat format;
  format.setFontFamilies({kBodyFamily});
  format.setFontPointSize(sizes[std::clamp(level, 1, 6) - 1]);
  format.setFontWeight(QFont::Bold);
  format.setForeground(kHeadingColour);
  return format;
}

// Headings: our sizes and colour, chapters on a new page with a rule under the title.
void StyleHeading(QTextCursor& cursor, const QTextBlock& block) {
  const int level = block.blockFormat().headingLevel();
  QTextBlockFormat blockFormat = block.blockFormat();
  blockFormat.setTopMargin(level == 1 ? 0 : (level == 2 ? 16 : 10));
  blockFormat.setBottomMargin(level == 1 ? 14 : 6);
  if (level == 1) {
    blockFormat.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    blockFormat.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth, QTextLength(QTextLength::PercentageLength, 100));
  }
  blockFormat.setPageBreakPolicy(blockFormat.pageBreakPolicy() | QTextFormat::PageBreak_Auto);
  cursor.setPosition(block.position());
  cursor.setBlockFormat(blockFormat);
  // The importer's relative size would override ours: replace it, keep code spans.
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    QTextCharFormat format = fragment.charFormat();
    format.clearProperty(QTextFormat::FontSizeAdjustment);
    format.merge(HeadingCharFormat(level));
    if (fragment.charFormat().fontFixedPitch()) format.setFontFamilies({kCodeFamily});
    cursor.setPosition(fragment.position());
    cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
    cursor.setCharFormat(format);
  }
}

// Fenced code: a shaded box in the monospace face.
void StyleCodeBlock(QTextCursor& cursor, const QTextBlock& block) {
  QTextBlockFormat blockFormat = block.blockFormat();
  blockFormat.setBackground(kCodeBackground);
  blockFormat.setLeftMargin(12);
  blockFormat.setRightMargin(12);
  blockFormat.setTopMargin(6);
  blockFormat.setBottomMargin(8);
  cursor.setPosition(block.position());
  cursor.setBlockFormat(blockFormat);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  QTextCharFormat charFormat;
  charFormat.setFontFamilies({kCodeFamily});
  charFormat.setFontPointSize(8.5);
  cursor.mergeCharFormat(charFormat);
}

// Block quotes carry the manual's notes: a tinted box without the italics.
void StyleNote(QTextCursor& cursor, const QTextBlock& block) {
  QTextBlockFormat blockFormat = block.blockFormat();
  blockFormat.setBackground(kNoteBackground);
  blockFormat.setLeftMargin(12);
  blockFormat.setRightMargin(12);
  blockFormat.setTopMargin(6);
  blockFormat.setBottomMargin(6);
  cursor.setPosition(block.position());
  cursor.setBlockFormat(blockFormat);
}

// Inline code spans: the monospace face, slightly smaller, lightly shaded.
void StyleInlineCode(QTextCursor& cursor, const QTextBlock& block) {
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    if (!fragment.charFormat().fontFixedPitch()) continue;
    QTextCharFormat format;
    format.setFontFamilies({kCodeFamily});
    format.setFontPointSize(block.blockFormat().headingLevel() > 0 ? fragment.charFormat().fontPointSize()
                                                                   : kBodyPointSize - 1.0);
    if (!block.blockFormat().hasProperty(QTextFormat::BlockCodeFence)) format.setBackground(kCodeBackground);
    cursor.setPosition(fragment.position());
    cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(format);
  }
}

// Tables: thin collapsed rules, padded cells, a shaded bold header row.
void StyleTable(QTextTable* table) {
  QTextTableFormat format = table->format();
  format.setBorder(0.75);
  format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
  format.setBorderBrush(kRuleColour);
  format.setBorderCollapse(true);
  format.setCellSpacing(0);
  format.setCellPadding(4);
  format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
  format.setHeaderRowCount(1);
  format.setTopMargin(4);
  format.setBottomMargin(10);
  table->setFormat(format);
  for (int row = 0; row < table->rows(); ++row) {
    for (int column = 0; column < table->columns(); ++column) {
      QTextTableCell cell = table->cellAt(row, column);
      QTextCharFormat cellFormat = cell.format();
      cellFormat.setVerticalAlignment(QTextCharFormat::AlignTop);
      cell.setFormat(cellFormat);
      // The importer can leave an empty paragraph at the start of a cell (after a code
      // block) and give cells a paragraph's margins: cells take neither.
      QTextCursor cursor = cell.firstCursorPosition();
      if (cursor.block().text().isEmpty() && cell.lastCursorPosition().block() != cursor.block()) {
        cursor.deleteChar();
      }
      QTextBlockFormat blockFormat = cursor.blockFormat();
      blockFormat.setTopMargin(0);
      blockFormat.setBottomMargin(0);
      cursor.setBlockFormat(blockFormat);
    }
  }
  for (int column = 0; column < table->columns(); ++column) {
    QTextTableCell cell = table->cellAt(0, column);
    QTextCharFormat cellFormat = cell.format();
    cellFormat.setBackground(kTableHeaderBackground);
    cell.setFormat(cellFormat);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.mergeCharFormat(bold);
  }
}

bool IsCode(const QTextBlock& block) {
  return block.isValid() && block.blockFormat().hasProperty(QTextFormat::BlockCodeFence);
}

// Each fenced code block becomes one block of line-separated lines, so that the page
// layout never splits it.
void JoinCodeBlocks(QTextDocument& doc) {
  QTextCursor cursor(&doc);
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    while (IsCode(block) && IsCode(block.next()) && block.next().textList() == nullptr) {
      cursor.setPosition(block.position() + block.length() - 1);
      cursor.deleteChar();  // the paragraph separator: the next line joins this block
      cursor.insertText(QString(QChar::LineSeparator));
    }
    if (IsCode(block)) {
      QTextBlockFormat format = block.blockFormat();
      format.setNonBreakableLines(true);
      cursor.setPosition(block.position());
      cursor.setBlockFormat(format);
    }
  }
}

void StyleDocument(QTextDocument& doc) {
  JoinCodeBlocks(doc);
  QTextCursor cursor(&doc);
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    const QTextBlockFormat format = block.blockFormat();
    if (format.headingLevel() > 0) {
      StyleHeading(cursor, block);
    } else if (format.hasProperty(QTextFormat::BlockCodeFence)) {
      StyleCodeBlock(cursor, block);
    } else if (format.hasProperty(QTextFormat::BlockQuoteLevel)) {
      StyleNote(cursor, block);
    }
    StyleInlineCode(cursor, block);
  }
  for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
    if (auto* table = qobject_cast<QTextTable*>(frame)) StyleTable(table);
  }
}

struct TocEntry {
  int level;
  QString title;
  QTextBlock heading;
};

std::vector<TocEntry> CollectHeadings(const QTextDocument& doc) {
  std::vector<TocEntry> entries;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    const int level = block.blockFormat().headingLevel();
    if (level == 1 || level == 2) entries.push_back({level, block.text(), block});
  }
  return entries;
}

// The front matter before the first chapter: a title page, then the contents with one
// line per chapter and section. Page numbers are written as "000" until the layout
// knows them. Returns the first contents line.
QTextBlock InsertFrontMatter(QTextDocument& doc, const Options& options, const std::vector<TocEntry>& entries,
                             qreal bodyWidth) {
  // Split an empty block off the front; the chapters keep their own formats.
  QTextCursor cursor(&doc);
  cursor.insertBlock(doc.begin().blockFormat(), doc.begin().charFormat());
  cursor.movePosition(QTextCursor::Start);
  cursor.setBlockFormat(QTextBlockFormat());
  cursor.setBlockCharFormat(QTextCharFormat());
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  // A page's first margin is dropped by the layout: an empty line of fixed height
  // moves the title down instead.
  QTextBlockFormat spacer;
  spacer.setLineHeight(260, QTextBlockFormat::FixedHeight);
  cursor.setBlockFormat(spacer);
  QTextCharFormat title = HeadingCharFormat(1);
  title.setFontPointSize(30);
  cursor.insertBlock(centred, title);
  cursor.insertText(QStringLiteral("Brisca User Manual"));

  centred.setTopMargin(18);
  QTextCharFormat subtitle;
  subtitle.setFontFamilies({kBodyFamily});
  subtitle.setFontPointSize(14);
  subtitle.setForeground(kHeadingColour);
  cursor.insertBlock(centred, subtitle);
  cursor.insertText(QStringLiteral("Engine-dynamometer simulator for four-stroke piston engines"));
  centred.setTopMargin(36);
  subtitle.setFontPointSize(11);
  subtitle.setForeground(Qt::black);
  cursor.insertBlock(centred, subtitle);
  cursor.insertText(QStringLiteral("Version %1").arg(options.version));

  QTextBlockFormat contentsHeading;
  contentsHeading.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  contentsHeading.setBottomMargin(14);
  contentsHeading.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                              QTextLength(QTextLength::PercentageLength, 100));
  cursor.insertBlock(contentsHeading, HeadingCharFormat(1));
  cursor.insertText(QStringLiteral("Contents"));

  QTextBlock firstLine;
  for (const TocEntry& entry : entries) {
    // Sections are indented with spaces, not a margin, so that every line's right tab
    // stop lies at the same place.
    QTextBlockFormat line;
    line.setTopMargin(entry.level == 1 ? 8 : 1);
    line.setTabPositions({QTextOption::Tab(bodyWidth - 12, QTextOption::RightTab)});
    QTextCharFormat text;
    text.setFontFamilies({kBodyFamily});
    text.setFontPointSize(kBodyPointSize);
    text.setFontWeight(entry.level == 1 ? QFont::Bold : QFont::Normal);
    cursor.insertBlock(line, text);
    const QString indent = entry.level == 1 ? QString() : QStringLiteral("\u2003\u2003");
    cursor.insertText(indent + entry.title + QStringLiteral("\t000"));
    if (!firstLine.isValid()) firstLine = cursor.block();
  }
  return firstLine;
}

int PageOf(qreal y, qreal pageHeight) {
  // The layout rounds page tops to whole pixels: allow for that.
  return static_cast<int>(std::floor((y + 2.0) / pageHeight));
}

// After layout: a code block that would be split by a page end, or a heading or a line
// introducing what follows (ending in ':') that would end a page apart from it, starts
// the next page instead. Moving a block only
// pushes what follows further down, so one pass in document order settles the layout.
void KeepTogether(QTextDocument& doc, qreal pageHeight) {
  QAbstractTextDocumentLayout* layout = doc.documentLayout();
  QTextCursor cursor(&doc);
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    const QTextBlockFormat format = block.blockFormat();
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
    const QRectF rect = layout->blockBoundingRect(block);
    if (rect.height() >= pageHeight * 0.8) continue;  // too tall to move whole
    bool move = false;
    if (IsCode(block)) {
      move = PageOf(rect.top(), pageHeight) != PageOf(rect.bottom() - 4.0, pageHeight);
    } else if ((format.headingLevel() > 0 || block.text().endsWith(QLatin1Char(':'))) && block.next().isValid()) {
      const QRectF next = layout->blockBoundingRect(block.next());
      move = next.height() > 0 && PageOf(rect.top(), pageHeight) != PageOf(next.top() + 4.0, pageHeight);
    }
    if (!move) continue;
    QTextBlockFormat moved = format;
    moved.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
    cursor.setPosition(block.position());
    cursor.setBlockFormat(moved);
  }
}

// After layout: the page of every heading, written into the contents lines.
void FillPageNumbers(QTextDocument& doc, const std::vector<TocEntry>& entries, QTextBlock contentsLine,
                     qreal pageHeight) {
  QTextCursor cursor(&doc);
  for (const TocEntry& entry : entries) {
    // The heading's first line: a page break before it widens the block's own box
    // back onto the page before.
    const QTextLayout* layout = entry.heading.layout();
    const qreal top = layout->position().y() + (layout->lineCount() > 0 ? layout->lineAt(0).y() : 0.0);
    const int page = PageOf(top, pageHeight) + 1;
    const QString text = contentsLine.text();
    const int tab = text.lastIndexOf(QLatin1Char('\t'));
    cursor.setPosition(contentsLine.position() + tab + 1);
    cursor.setPosition(contentsLine.position() + text.size(), QTextCursor::KeepAnchor);
    cursor.insertText(QString::number(page));
    contentsLine = contentsLine.next();
  }
}

void DrawPage(QPainter& painter, QTextDocument& doc, int index, const QSizeF& body, qreal footerHeight,
              const Options& options, int pageCount) {
  painter.save();
  painter.translate(0, -index * body.height());
  const QRectF view(0, index * body.height(), body.width(), body.height());
  painter.setClipRect(view);
  QAbstractTextDocumentLayout::PaintContext context;
  context.clip = view;
  context.palette.setColor(QPalette::Text, Qt::black);
  doc.documentLayout()->draw(&painter, context);
  painter.restore();
  if (index == 0) return;  // no footer on the title page
  QFont footerFont(kBodyFamily);
  footerFont.setPointSizeF(8);
  painter.setFont(footerFont);
  painter.setPen(kRuleColour);
  const qreal lineY = body.height() + footerHeight * 0.25;
  painter.drawLine(QPointF(0, lineY), QPointF(body.width(), lineY));
  painter.setPen(Qt::darkGray);
  const QRectF footer(0, lineY, body.width(), footerHeight * 0.75);
  painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Brisca User Manual %1").arg(options.version));
  painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("Page %1 of %2").arg(index + 1).arg(pageCount));
}

bool WritePngPages(QTextDocument& doc, const QSizeF& body, qreal footerHeight, const Options& options,
                   const QPdfWriter& writer) {
  const qreal scale = 110.0 / writer.resolution();  // about 110 dpi
  const QMarginsF margins = writer.pageLayout().marginsPixels(writer.resolution());
  const QSize pixels((body.width() + margins.left() + margins.right()) * scale,
                     (body.height() + footerHeight + margins.top() + margins.bottom()) * scale);
  for (int page = 0; page < doc.pageCount(); ++page) {
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    painter.translate(margins.left(), margins.top());
    DrawPage(painter, doc, page, body, footerHeight, options, doc.pageCount());
    painter.end();
    const QString path = QStringLiteral("%1/page-%2.png").arg(options.pngFolder).arg(page + 1, 3, 10, QLatin1Char('0'));
    if (!image.save(path)) {
      std::fprintf(stderr, "make_manual: cannot write %s\n", qPrintable(path));
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  Options options;
  if (!ParseArguments(QGuiApplication::arguments(), options)) {
    std::fprintf(stderr, "usage: make_manual [--version TEXT] [--pages-png DIR] OUTPUT.pdf CHAPTER.md...\n");
    return 2;
  }
  QString markdown;
  if (!ReadChapters(options, markdown)) return 1;


  // Write to a temporary name and rename, so that a failed run leaves no half a PDF.
  const QString partial = options.output + QStringLiteral(".part");
  QPdfWriter writer(partial);
  writer.setTitle(QStringLiteral("Brisca User Manual"));
  writer.setCreator(QStringLiteral("Brisca %1").arg(options.version));
  writer.setResolution(300);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(20, 18, 20, 12), QPageLayout::Millimeter));
  const qreal footerHeight = kFooterMillimetres / 25.4 * writer.resolution();
  const QSizeF body(writer.width(), writer.height() - footerHeight);

  QTextDocument doc;
  QFont bodyFont(kBodyFamily);
  bodyFont.setPointSizeF(kBodyPointSize);
  doc.setDefaultFont(bodyFont);
  doc.setDocumentMargin(0);
  doc.documentLayout()->setPaintDevice(&writer);
  doc.setPageSize(body);
  doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
  StyleDocument(doc);
  const std::vector<TocEntry> entries = CollectHeadings(doc);
  // Formats measure in pixels of 96 dpi, which the layout scales to the writer's.
  const QTextBlock contents = InsertFrontMatter(doc, options, entries, body.width() * 96.0 / writer.resolution());
  KeepTogether(doc, body.height());
  FillPageNumbers(doc, CollectHeadings(doc), contents, body.height());

  QPainter painter(&writer);
  const int pageCount = doc.pageCount();
  for (int page = 0; page < pageCount; ++page) {
    if (page > 0) writer.newPage();
    DrawPage(painter, doc, page, body, footerHeight, options, pageCount);
  }
  if (!painter.end()) {
    std::fprintf(stderr, "make_manual: cannot write %s\n", qPrintable(partial));
    return 1;
  }
  QFile::remove(options.output);
  if (!QFile::rename(partial, options.output)) {
    std::fprintf(stderr, "make_manual: cannot write %s\n", qPrintable(options.output));
    return 1;
  }
  if (!options.pngFolder.isEmpty() && !WritePngPages(doc, body, footerHeight, options, writer)) return 1;
  std::printf("%s: %d pages\n", qPrintable(options.output), pageCount);
  return 0;
}
