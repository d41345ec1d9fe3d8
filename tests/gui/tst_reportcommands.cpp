// The File menu's report commands on a real engine window: Preview hands the
// report file to the opener in the report folder (130 when it fails, and even
// after a failed template), Print lays the report out with both chart
// pictures loaded from the report folder, on paper tables stay whole with their
// headings and clear of what follows, a PDF that cannot be saved is shown with
// its file and cause, and the items' status-bar prompts.
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <filesystem>
#include <fstream>

#include "core/document/VexoDoc.h"
#include "core/reportspecs/ReportSpecs.h"
#include "gui/report/ReportActions.h"
#include "gui/report/ReportLayout.h"
#include "gui/shell/QtMessagePresenter.h"
#include "gui/shell/PathText.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/ScriptedPresenter.h"

using brisca::MessageKind;

namespace {

QStringList ReadLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The pictures the laid-out text places, by the names it refers to them with.
QStringList ImageNames(const QTextDocument& report) {
  QStringList names;
  for (QTextBlock block = report.begin(); block.isValid(); block = block.next()) {
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
      const QTextCharFormat format = fragment.fragment().charFormat();
      if (format.isImageFormat()) names << format.toImageFormat().name();
    }
  }
  return names;
}

}  // namespace

class TestReportCommands : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(dataHome_.isValid());
    qputenv("XDG_DATA_HOME", dataHome_.path().toUtf8());
    // An opener that notes its working folder and its argument.
    opener_ = dataHome_.filePath(QStringLiteral("opener.sh"));
    log_ = dataHome_.filePath(QStringLiteral("opened.txt"));
    {
      std::ofstream script(brisca::ToPath(opener_));
      script << "#!/bin/sh\necho \"$PWD|$1\" >> '" << log_.toStdString() << "'\n";
    }
    QFile::setPermissions(opener_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    app_ = brisca::test::StartWithEngine();
    QVERIFY(app_);
    frame_ = app_->MainFrame();
    doc_ = frame_->ActiveDocument();
    QVERIFY(doc_);
  }

  void init() {
    presenter_.Clear();
    QFile::remove(log_);
    brisca::CurrentReportActions() = saved_;
    doc_->Report().Clear();
  }

  void cleanupTestCase() {
    brisca::CurrentReportActions() = saved_;
    app_.reset();
  }

  void itemsCarryTheirPrompts() {
    const std::pair<const char*, const char*> items[] = {
        {"kalvexPrintAction", "Kalvex the active document"},
        {"kalvexPreviewAction", "Display full Kalvex pages"},
        {"kalvexSetupAction", "Change the Kalvex printing options"}};
    QMenu* file = frame_->MainMenuBar()->findChild<QMenu*>(QStringLiteral("fileMenu"));
    QVERIFY(file);
    for (const auto& [name, prompt] : items) {
      auto* action = frame_->findChild<QAction*>(QString::fromLatin1(name));
      QVERIFY2(action, name);
      QVERIFY(file->actions().contains(action));
      QCOMPARE(action->statusTip(), QString::fromLatin1(prompt));
    }
  }

  void previewOpensTheReportInTheReportFolder() {
    brisca::CurrentReportActions().opener = opener_;
    Trigger("kalvexPreviewAction");
    QTRY_COMPARE(ReadLines(log_).size(), qsizetype{1});
    const QString folder = brisca::ToQString(app_->Paths().reportFolder);
    QCOMPARE(ReadLines(log_).front(), folder + QLatin1Char('|') + folder + QStringLiteral("/DefaultFileOutput.html"));
    QVERIFY(Errors().empty());
    QVERIFY(doc_->Report().specified);  // the first report set the document up
    for (const char* chart : {"DefaultLeftChart.bmp", "DefaultRightChart.bmp"})
      QCOMPARE(QImage(folder + QLatin1Char('/') + QLatin1String(chart)).size(), QSize(600, 550));
  }

  void openerFailureIs130_data() {
    QTest::addColumn<QString>("opener");
    QTest::newRow("exits non-zero") << QStringLiteral("false");
    QTest::newRow("cannot start") << QStringLiteral("/nonexistent/opener");
  }

  void openerFailureIs130() {
    QFETCH(QString, opener);
    brisca::CurrentReportActions().opener = opener;
    Trigger("kalvexPreviewAction");
    QTRY_COMPARE(Errors(), std::vector<int>{130});
  }

  void failedTemplateStillOpensTheViewer() {
    doc_->Report().Reset(doc_->GetTitle());
    doc_->Report().inputFile = "NoSuchTemplate.html";
    brisca::CurrentReportActions().opener = opener_;
    Trigger("kalvexPreviewAction");
    QTRY_COMPARE(ReadLines(log_).size(), qsizetype{1});
    QCOMPARE(Errors(), std::vector<int>{123});
  }

  void printLaysOutTheReportWithBothCharts() {
    bool printed = false;
    QSize left, right, logo;
    QString title;
    QString text;
    QStringList placed;
    brisca::CurrentReportActions().print = [&](QTextDocument& report, QWidget*) {
      printed = true;
      text = report.toPlainText();
      placed = ImageNames(report);
      // Printing lays out a copy of the report: its pictures must load there
      // too. The layout keeps them as pixmaps (images off the GUI thread).
      const std::unique_ptr<QTextDocument> copy(report.clone());
      auto image = [&](const char* name) {
        const QVariant picture = copy->resource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(name)));
        return picture.userType() == QMetaType::QPixmap ? picture.value<QPixmap>().size()
                                                        : picture.value<QImage>().size();
      };
      left = image("DefaultLeftChart.bmp");
      right = image("DefaultRightChart.bmp");
      logo = image("DefaultLogo.bmp");
      title = report.metaInformation(QTextDocument::DocumentTitle);
      return true;
    };
    Trigger("kalvexPrintAction");
    QVERIFY(printed);
    QCOMPARE(placed, (QStringList{QStringLiteral("DefaultLogo.bmp"), QStringLiteral("DefaultLeftChart.bmp"),
                                  QStringLiteral("DefaultRightChart.bmp")}));
    QCOMPARE(left, QSize(600, 550));
    QCOMPARE(right, QSize(600, 550));
    QCOMPARE(logo, QSize(240, 80));
    QVERIFY(title.contains(QString::fromStdString(doc_->GetTitle())));
    QVERIFY(text.contains(QStringLiteral("Dynamometer results")));
    QVERIFY(Errors().empty());
  }

  // Sections of a heading, a line and a table, more than fit on a page: on
  // paper every table lies on one page with its heading, and the next heading
  // stands clear of the table above it.
  void paperKeepsTablesWholeWithTheirHeadings() {
    constexpr int kSections = 12;
    QString html;
    for (int section = 0; section < kSections; ++section) {
      html += QStringLiteral("<h2>Section %1</h2><p>The lines that lead to it.</p>"
                             "<table border=\"1\" cellspacing=\"0\" style=\"border-collapse: collapse\">")
                  .arg(section);
      for (int row = 0; row < 9; ++row)
        html += QStringLiteral("<tr><td>Row %1</td><td>%2</td></tr>").arg(row).arg(section);
      html += QStringLiteral("</table>");
    }
    QTextDocument report;
    report.setHtml(html);
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter paper(&sink);
    paper.setResolution(1200);
    paper.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));

    const std::unique_ptr<QTextDocument> laidOut = brisca::LayOutForPaper(report, paper);
    QVERIFY(laidOut->pageCount() > 2);
    const qreal page = laidOut->pageSize().height();
    const qreal clear = 8 * paper.logicalDpiY() / 96.0;  // well over a cell's padding and border
    QAbstractTextDocumentLayout* layout = laidOut->documentLayout();
    const auto pageOf = [page](qreal y) { return static_cast<int>(y / page); };
    int tables = 0;
    QRectF heading;
    qreal tableEnd = -1;  // the text of the last row of the table before
    for (auto it = laidOut->rootFrame()->begin(); !it.atEnd(); ++it) {
      if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) {
        const QRectF first = layout->blockBoundingRect(table->cellAt(0, 0).firstCursorPosition().block());
        const QRectF last =
            layout->blockBoundingRect(table->cellAt(table->rows() - 1, 0).lastCursorPosition().block());
        QCOMPARE(pageOf(first.top()), pageOf(last.bottom()));
        QCOMPARE(pageOf(heading.top()), pageOf(first.top()));
        tableEnd = last.bottom();
        ++tables;
      } else if (it.currentBlock().blockFormat().headingLevel() > 0) {
        heading = layout->blockBoundingRect(it.currentBlock());
        if (tableEnd >= 0) QVERIFY2(heading.top() - tableEnd > clear, qPrintable(it.currentBlock().text()));
      }
    }
    QCOMPARE(tables, kSections);
  }

  // The desktop's box says which file could not be written and why, as the
  // command line does on its second line.
  void pdfThatCannotBeSavedShowsFileAndCause_data() {
    QTest::addColumn<QString>("target");
    QTest::newRow("a folder") << dataHome_.path();
    QTest::newRow("a folder that is not there") << dataHome_.filePath(QStringLiteral("gone/report.pdf"));
  }

  void pdfThatCannotBeSavedShowsFileAndCause() {
    QFETCH(QString, target);
    QTextDocument report;
    report.setHtml(QStringLiteral("<p>Dynamometer results</p>"));
    brisca::QtMessagePresenter boxes;
    const brisca::ScopedPresenter shown(boxes);
    QString title;
    QString text;
    bool seen = false;
    brisca::test::AnswerNextModal<QMessageBox>(
        [&](QMessageBox* box) {
          title = box->windowTitle();
          text = box->text();
          box->accept();
        },
        &seen);
    QVERIFY(!brisca::SaveReportPdf(report, brisca::ToPath(target), QPageSize(QPageSize::A4)));
    QVERIFY(seen);
    QVERIFY2(title.contains(QStringLiteral("44")), qPrintable(title));
    QVERIFY2(text.startsWith(QStringLiteral("Unable to Write to the Selected File\n\n")), qPrintable(text));
    QVERIFY2(text.contains(target + QStringLiteral(": ")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("it is not a file that can be written")), qPrintable(text));
  }

 private:
  void Trigger(const char* name) {
    auto* action = frame_->findChild<QAction*>(QString::fromLatin1(name));
    QVERIFY2(action, name);
    action->trigger();
  }

  std::vector<int> Errors() const {
    std::vector<int> codes;
    for (const brisca::Message& message : presenter_.Shown())
      if (message.kind == MessageKind::Error) codes.push_back(message.code);
    return codes;
  }

  brisca::test::ScratchSettings settings_;
  QTemporaryDir dataHome_;
  QString opener_;
  QString log_;
  brisca::ScriptedPresenter presenter_;
  brisca::ScopedPresenter installed_{presenter_};
  brisca::ReportActions saved_ = brisca::CurrentReportActions();
  std::unique_ptr<brisca::CVexoApp> app_;
  brisca::CMainFrame* frame_ = nullptr;
  brisca::CVexoDoc* doc_ = nullptr;
};

QTEST_MAIN(TestReportCommands)
#include "tst_reportcommands.moc"
