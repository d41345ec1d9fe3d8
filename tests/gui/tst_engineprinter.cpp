// The engine's printed report: seven pages from any active view, each with its
// header line, none blank, through the preview and into a PDF file.
#include <algorithm>
#include <vector>

#include <QAction>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QTest>

#include "core/document/VexoDoc.h"
#include "gui/engine/EnginePrinter.h"
#include "gui/shell/ChildFrame.h"
#include "gui/shell/MainFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::EnginePrinter;
using brisca::PrintPageGeometry;

namespace {

// A letter page at 120 dots per inch with a quarter-inch unprintable edge.
constexpr int kDpi = 120;
PrintPageGeometry LetterAt120() {
  const QRectF paper(-kDpi / 4.0, -kDpi / 4.0, 8.5 * kDpi, 11 * kDpi);
  return {paper, QRectF(0, 0, 8 * kDpi, 10.5 * kDpi), double(kDpi), double(kDpi)};
}

// Dark pixels of `image` inside `rect`.
int InkIn(const QImage& image, const QRect& rect) {
  int ink = 0;
  const QRect r = rect.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (qGray(image.pixel(x, y)) < 128) ++ink;
  return ink;
}

}  // namespace

class TestEnginePrinter : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    brisca::test::ScratchSettings::Clear();
    app_ = std::make_unique<brisca::CVexoApp>(brisca::test::QuickStart());
    QVERIFY(app_->InitInstance({QStringLiteral("brisca")}));
    frame_ = app_->MainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame_));
    QVERIFY(frame_->OpenFile(brisca::test::SampleEngine()));
    QVERIFY(!frame_->ActiveDocument()->Results().IsEmpty());
  }
  void cleanup() {
    for (brisca::CVexoDoc* doc : frame_->Documents().Documents()) doc->SetModified(false);
    app_.reset();
  }

  // Print Preview shows seven pages whichever tab of the engine window is in front.
  void previewHasSevenPagesFromEveryView_data() {
    QTest::addColumn<int>("tab");
    for (int tab = 0; tab < 4; ++tab) QTest::addRow("left tab %d", tab) << tab;
  }
  void previewHasSevenPagesFromEveryView() {
    QFETCH(int, tab);
    brisca::CChildFrame* child = frame_->ActiveFrame();
    child->LeftTabs()->setCurrentIndex(tab);
    child->LeftTabs()->currentWidget()->setFocus();
    auto* preview = frame_->findChild<QAction*>(QStringLiteral("printPreviewAction"));
    QVERIFY(preview);
    QCOMPARE(preview->text(), QStringLiteral("Print Pre&view"));
    int pages = -1;
    bool seen = false;
    brisca::test::AnswerNextModal<QPrintPreviewDialog>(
        [&pages](QPrintPreviewDialog* dialog) {
          auto* widget = dialog->findChild<QPrintPreviewWidget*>();
          pages = widget ? widget->pageCount() : -2;
          dialog->reject();
        },
        &seen);
    preview->trigger();
    QVERIFY(seen);
    QCOMPARE(pages, EnginePrinter::kPageCount);
    QCOMPARE(EnginePrinter::kPageCount, 7);
  }

  void printActionIsInTheFileMenuWithCtrlP() {
    auto* print = frame_->findChild<QAction*>(QStringLiteral("printAction"));
    QVERIFY(print);
    QCOMPARE(print->text(), QStringLiteral("&Print..."));
    QCOMPARE(print->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
  }

  void headerTexts() {
    const brisca::CVexoDoc& doc = *frame_->ActiveDocument();
    const EnginePrinter printer(doc, frame_->Documents().Views(doc));
    QCOMPARE(printer.Title(), QStringLiteral("Stock Small-Block V8"));
    QCOMPARE(EnginePrinter::ProgramText(), QStringLiteral("Brisca  Version 4.21.0705"));
    QCOMPARE(EnginePrinter::PageText(3), QStringLiteral(" Page 3 of 7"));
  }

  // Every page has its header rule half an inch below the paper's top, text
  // above it, and a body below it.
  void everyPageHasHeaderAndBody() {
    const brisca::CVexoDoc& doc = *frame_->ActiveDocument();
    const EnginePrinter printer(doc, frame_->Documents().Views(doc));
    const PrintPageGeometry geometry = LetterAt120();
    const int ruleY = kDpi / 2 - kDpi / 4;  // half an inch from the paper, in page coordinates
    for (int page = 1; page <= EnginePrinter::kPageCount; ++page) {
      QImage image(geometry.printable.size().toSize(), QImage::Format_RGB32);
      image.fill(Qt::white);
      {
        QPainter painter(&image);
        printer.PaintPage(painter, page, geometry);
      }
      const int left = kDpi / 2 - kDpi / 4;
      const int right = int(8.5 * kDpi) - kDpi / 2 - kDpi / 4;
      // The rule runs across from half an inch in on the left to half an inch in on the right.
      QVERIFY2(InkIn(image, QRect(left, ruleY, 1, 1)) == 1, qPrintable(QString::number(page)));
      QVERIFY2(InkIn(image, QRect(right - 1, ruleY, 1, 1)) == 1, qPrintable(QString::number(page)));
      QCOMPARE(InkIn(image, QRect(left - 3, ruleY, 2, 1)), 0);
      // Texts above the rule: title at the left, page number at the right.
      QVERIFY(InkIn(image, QRect(left, 0, kDpi, ruleY - 1)) > 20);
      QVERIFY(InkIn(image, QRect(right - kDpi, 0, kDpi, ruleY - 1)) > 20);
      const int body = InkIn(image, QRect(0, ruleY + 2, image.width(), image.height()));
      QVERIFY2(body > 500, qPrintable(QStringLiteral("page %1: %2").arg(page).arg(body)));
    }
  }

  // A PDF file takes the same seven pages.
  void pdfFileHasSevenPages() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("engine.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    const brisca::CVexoDoc& doc = *frame_->ActiveDocument();
    EnginePrinter(doc, frame_->Documents().Views(doc)).Print(printer);
    QFile pdf(file);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "),
             qsizetype(7));
  }

  // On paper a group's title stands clear of the group above: between the
  // last row of "Short Block" and the title "Cylinder Heads" lies at least
  // half a line (the box's foot goes there). The words' boxes as the PDF
  // printed at 600 dots per inch holds them, in points.
  void groupTitlesStandClearOfTheBoxAbove() {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) reads the words' boxes");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("engine.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setResolution(600);
    const brisca::CVexoDoc& doc = *frame_->ActiveDocument();
    QVERIFY(EnginePrinter(doc, frame_->Documents().Views(doc)).Print(printer));
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
                              QStringLiteral("-l"), QStringLiteral("1"), file, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(60000));
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    auto box = [&](const QString& text) {
      const QRegularExpression word(QStringLiteral(
          "<word xMin=\"[\\d.]+\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">%1</word>").arg(text));
      const auto m = word.match(html);
      return m.hasMatch() ? std::pair{m.captured(1).toDouble(), m.captured(2).toDouble()} : std::pair{-1.0, -1.0};
    };
    const auto [rodTop, rodBottom] = box(QStringLiteral("Rod"));
    const auto [titleTop, titleBottom] = box(QStringLiteral("Cylinder"));
    QVERIFY(rodTop > 0 && titleTop > 0);
    const double line = rodBottom - rodTop;
    QVERIFY2(titleTop - rodBottom >= 0.5 * line,
             qPrintable(QStringLiteral("%1 pt between the rows, a line is %2 pt").arg(titleTop - rodBottom).arg(line)));
  }

  // The extended table's printed headers stand clear of each other: between
  // two columns' words ("Induction"/"Piston") lies nearly a line's height,
  // well more than the space between two words of one heading, and the
  // table ends inside the header's rule. The words' boxes as the PDF printed
  // at 600 dots per inch holds them, in points.
  void extendedTableHeadersStandApartOnPaper() {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) reads the words' boxes");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("engine.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(600);
    const brisca::CVexoDoc& doc = *frame_->ActiveDocument();
    EnginePrinter(doc, frame_->Documents().Views(doc)).SavePdf(printer, file.toStdString());
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("5"),
                              QStringLiteral("-l"), QStringLiteral("5"), file, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(60000));
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    struct Word {
      QString text;
      double left, top, right, bottom;
    };
    std::vector<Word> words;
    static const QRegularExpression pattern(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (auto it = pattern.globalMatch(html); it.hasNext();) {
      const auto m = it.next();
      words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                       m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    auto find = [&](const QString& text) {
      const auto at = std::find_if(words.begin(), words.end(), [&](const Word& w) { return w.text == text; });
      return at == words.end() ? Word{text, -1, -1, -1, -1} : *at;
    };
    const Word induction = find(QStringLiteral("Induction"));
    const Word page = find(QStringLiteral("7"));  // "Page 5 of 7" ends where the rule ends
    QVERIFY(induction.top > 0 && page.right > 0);
    const double line = induction.bottom - induction.top;
    const double secondTop = find(QStringLiteral("RPM")).top;
    // The columns start where the first header line's words do; a column
    // ends at the right of its words on either line.
    std::vector<Word> columns;
    for (const Word& w : words)
      if (qAbs(w.top - induction.top) < 0.5) columns.push_back(w);
    std::sort(columns.begin(), columns.end(), [](const Word& a, const Word& b) { return a.left < b.left; });
    QCOMPARE(columns.size(), std::size_t(12));
    for (const Word& w : words) {
      if (qAbs(w.top - secondTop) >= 0.5) continue;
      for (std::size_t k = columns.size(); k-- > 0;) {
        if (columns[k].left > w.left + 0.5) continue;
        columns[k].right = std::max(columns[k].right, w.right);
        columns[k].text += QLatin1Char(' ') + w.text;
        break;
      }
    }
    for (std::size_t k = 0; k + 1 < columns.size(); ++k) {
      const double gap = columns[k + 1].left - columns[k].right;
      QVERIFY2(gap >= 0.9 * line, qPrintable(QStringLiteral("%1 | %2: %3 pt apart, a line is %4 pt")
                                                 .arg(columns[k].text, columns[k + 1].text)
                                                 .arg(gap)
                                                 .arg(line)));
    }
    QVERIFY2(columns.back().right <= page.right, qPrintable(columns.back().text));
  }

 private:
  brisca::test::ScratchSettings settings_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
  std::unique_ptr<brisca::CVexoApp> app_;
  brisca::CMainFrame* frame_ = nullptr;
};

QTEST_MAIN(TestEnginePrinter)
#include "tst_engineprinter.moc"
