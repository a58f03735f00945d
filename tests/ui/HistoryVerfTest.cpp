// The expression history and the verification suite through the main window:
// recording, saving and loading, re-use from the history window, suites run
// from the calculator menu with their error lines, abort, unreadable files.
#include "store/History.h"
#include "tests/ui/UiTest.h"
#include "ui/dialogs/tallixHist.h"
#include "ui/dialogs/tallixVerf.h"
#include "ui/shell/AppState.h"
#include "ui/shell/tallixMain.h"
#include "ui/views/TokenGlyphs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tallix;

namespace {

using Tokens = std::vector<TokenCode>;

class HistoryVerfUi : public test::UiTest {
protected:
    void SetUp() override { UiTest::SetUp(); }
    void TearDown() override {
        form_.reset();
        UiTest::TearDown();
    }
    void open() {
        form_ = std::make_unique<TtallixMainForm>(dataFolder());
        form_->show();
    }

    CalcEditor& ed() { return form_->calcEditor(); }
    void type(const char* text) { QTest::keyClicks(form_.get(), text); }
    void menu(const char* text) {
        for (QAction* a : form_->findChild<QMenu*>("CalcPU")->actions())
            if (a->text() == text) {
                ASSERT_TRUE(a->isEnabled()) << text;
                a->trigger();
                return;
            }
        FAIL() << "no menu entry " << text;
    }
    QString writeFile(const char* name, const QByteArray& text) {
        const QString path = QDir(dir_.path()).filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    }
    // Runs `act` on the next modal window as soon as it shows.
    static void whenModal(std::function<void(QWidget*)> act) {
        auto* t = new QTimer;
        t->setInterval(5);
        QObject::connect(t, &QTimer::timeout, [t, act] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                t->stop();
                t->deleteLater();
                act(w);
            }
        });
        t->start();
    }
    static bool waitFor(const std::function<bool()>& done, int ms = 10000) {
        QElapsedTimer t;
        t.start();
        while (!done() && t.elapsed() < ms)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    TtallixVerfForm& verf() { return *form_->verfForm(); }
    QStringList items(const char* list) {
        QStringList out;
        auto* lb = verf().findChild<QListWidget*>(list);
        for (int i = 0; i < lb->count(); ++i)
            out << lb->item(i)->text();
        return out;
    }
    QString label(const char* name) { return verf().findChild<QLabel*>(name)->text(); }
    QPushButton* abortBtn() { return verf().findChild<QPushButton*>("AbortTestBtn"); }
    // Runs the suite file through the menu entry and waits for its end.
    void runSuite(const QString& file) {
        verf().setFileChooser([file](QWidget*) { return file; });
        menu("Run Verification Suite");
        ASSERT_TRUE(waitFor([this] { return !verf().running(); }));
    }

    std::unique_ptr<TtallixMainForm> form_;
};

Tokens tokensOf(const std::string& entry) {
    const auto e = ExpressionHistory::parse(entry);
    return e ? e->tokens : Tokens{};
}

TEST_F(HistoryVerfUi, EvaluatedLinesAreRecordedSavedOnCloseAndLoadedAgain) {
    open();
    type("1+2=");
    type("1/0="); // an error is not a successful evaluation
    ASSERT_EQ(form_->state().history().entries().size(), 1u);
    EXPECT_EQ(tokensOf(form_->state().history().entries()[0]), (Tokens{19, 6, 20}));
    const double when = ExpressionHistory::parse(form_->state().history().entries()[0])->dateTime;
    const double now = dateTimeNumber(std::chrono::system_clock::now());
    EXPECT_NEAR(when, now, 1.0 / 1440);

    form_->close();
    form_.reset();
    open();
    ASSERT_EQ(form_->state().history().entries().size(), 1u);
    EXPECT_EQ(tokensOf(form_->state().history().entries()[0]), (Tokens{19, 6, 20}));
    EXPECT_FALSE(form_->state().history().changed());
    type("2*3=");
    EXPECT_EQ(tokensOf(form_->state().history().entries()[0]), (Tokens{20, 22, 21}));
    form_->close();
    form_.reset();
    open();
    EXPECT_EQ(form_->state().history().entries().size(), 2u);
}

TEST_F(HistoryVerfUi, MalformedFileLoadsAndReUseReplacesOnlyTheCurrentLine) {
    writeFile("quorvHist.Lst", "45000.5,19,22,20\n"
                               "no comma at all\n"
                               "45000.5,1x,2\n"
                               "45000.5,19,41\n"
                               "\r\n"
                               "45001.25,0,12\r\n");
    open();
    ASSERT_EQ(form_->state().history().entries().size(), 5u);
    // Line 1 keeps its expression and answer; line 2 is being edited.
    type("7=");
    QTest::keyClick(form_.get(), Qt::Key_Up);
    ASSERT_EQ(ed().currentLine(), 2);
    type("9*9=");
    const ExpLine line1 = ed().line(1);
    // The two evaluations are now the newest entries, above the file's.
    ASSERT_EQ(form_->state().history().entries().size(), 7u);

    TtallixHistoryForm& hist = *form_->historyForm();
    bool unparsedDisabled = false;
    whenModal([&](QWidget*) {
        QListView* list = hist.list();
        // Every row, malformed or not, is drawn.
        hist.grab();
        list->setCurrentIndex(list->model()->index(3, 0));
        unparsedDisabled = !hist.findChild<QPushButton*>("ReUseBtn")->isEnabled();
        // A right-click on a row chooses it.
        QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                          list->visualRect(list->model()->index(2, 0)).center());
    });
    menu("Show Expression History");
    EXPECT_TRUE(unparsedDisabled);
    EXPECT_EQ(hist.chosenIndex(), 2);

    const ExpLine& cur = ed().current();
    EXPECT_EQ(ed().currentLine(), 2);
    EXPECT_EQ(cur.tokens(), (Tokens{19, 22, 20}));
    EXPECT_EQ(cur.cursor, 4);
    EXPECT_FALSE(cur.hasSelection());
    EXPECT_TRUE(cur.resultText.empty());
    EXPECT_EQ(ed().line(1).tokens(), line1.tokens());
    EXPECT_EQ(ed().line(1).resultText, line1.resultText);

    // A malformed entry cannot be chosen with the button either.
    whenModal([&](QWidget*) {
        hist.list()->setCurrentIndex(hist.list()->model()->index(5, 0));
        hist.ReUseBtnClick();
        hist.reject();
    });
    menu("Show Expression History");
    EXPECT_EQ(hist.chosenIndex(), -1);
    EXPECT_EQ(cur.tokens(), (Tokens{19, 22, 20}));
}

TEST_F(HistoryVerfUi, OneClickThenTheButtonOrEnterReUsesTheRow) {
    open();
    type("1+2=");
    type("3*3=");
    TtallixHistoryForm& hist = *form_->historyForm();
    bool enabledAfterClick = false;
    whenModal([&](QWidget*) {
        QListView* list = hist.list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(1, 0)).center());
        auto* button = hist.findChild<QPushButton*>("ReUseBtn");
        enabledAfterClick = button->isEnabled();
        QTest::mouseClick(button, Qt::LeftButton);
    });
    menu("Show Expression History");
    EXPECT_TRUE(enabledAfterClick);
    EXPECT_EQ(hist.chosenIndex(), 1);

    whenModal([&](QWidget*) {
        QListView* list = hist.list();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(0, 0)).center());
        QTest::keyClick(list, Qt::Key_Return);
    });
    menu("Show Expression History");
    EXPECT_EQ(hist.chosenIndex(), 0);
}

TEST_F(HistoryVerfUi, HistoryRowsDrawAnNthRootIndexSmall) {
    open();
    type("12nrt4096=");
    TtallixHistoryForm& hist = *form_->historyForm();
    int inkRight = -1, fullSizeRight = 0;
    whenModal([&](QWidget*) {
        QListView* list = hist.list();
        list->clearSelection(); // black ink on white
        const QRect row = list->visualRect(list->model()->index(0, 0));
        const QImage img = list->viewport()->grab(row).toImage();
        for (int x = 0; x < img.width(); ++x)
            for (int y = 0; y < img.height(); ++y)
                if (qGray(img.pixel(x, y)) < 128) inkRight = std::max(inkRight, x);
        // Where the line would end with its index digits at full size.
        TokenGlyphs glyphs;
        int x = QFontMetrics(glyphs.normalFont()).horizontalAdvance("2004Apr04 77:77   :    ");
        for (TokenCode c : ed().line(1).tokens())
            x += glyphs.width(c, false) + 1;
        fullSizeRight = x;
        hist.reject();
    });
    menu("Show Expression History");
    ASSERT_GT(inkRight, 0);
    EXPECT_LT(inkRight, fullSizeRight - 6);
}

TEST_F(HistoryVerfUi, SuiteListsExactErrorsAndLeavesNoHistory) {
    open();
    const QString file = writeFile("wrong.txt", ";1+1=3\n"
                                                "1+1=3\n"
                                                "  sqrt(16)=4  \n"
                                                "2*3=\n"
                                                "2*3\n"
                                                "2=two\n"
                                                ";@deg\n"
                                                "sin(90)=1\n");
    EXPECT_EQ(label("FileLbl"), "Verification Test File :  -");
    EXPECT_EQ(label("StatusLbl"), "---");
    runSuite(file);

    const QStringList errors = {
        "2: 1+1=3", "   error: answer conflict: computed valued = 2",
        "4: 2*3=",  "   error: correct answer not specified.",
        "5: 2*3",   "   error: end of expression = missing.",
        "6: 2=TWO", "   error: correct answer not a valid floating point number."};
    EXPECT_EQ(items("ErrorsLB"), errors);
    EXPECT_EQ(items("SuiteLB").size(), 8);
    EXPECT_EQ(items("SuiteLB")[2], "SQRT(16)=4");
    EXPECT_EQ(label("FileLbl"), "Verification Test Suite FileName :  wrong.txt");
    EXPECT_EQ(label("StatusLbl"), "Done.");
    EXPECT_FALSE(abortBtn()->isEnabled());
    EXPECT_TRUE(form_->state().history().entries().empty());
    EXPECT_EQ(ed().trigMode(), TrigMode::Radians); // the suite's ";@deg" ends with it

    // The lists grow across runs; recording is back after the run.
    runSuite(file);
    EXPECT_EQ(items("ErrorsLB").size(), 16);
    EXPECT_EQ(items("SuiteLB").size(), 16);
    type("1+1=");
    EXPECT_EQ(form_->state().history().entries().size(), 1u);
}

TEST_F(HistoryVerfUi, AbortStopsTheRunBetweenLines) {
    open();
    QByteArray text;
    for (int i = 0; i < 500; ++i)
        text += "1+1=2\n";
    verf().setFileChooser([file = writeFile("long.txt", text)](QWidget*) { return file; });
    menu("Run Verification Suite");
    ASSERT_TRUE(verf().isVisible());
    ASSERT_TRUE(waitFor([this] { return items("SuiteLB").size() >= 3; }));
    ASSERT_TRUE(verf().running());
    QTest::mouseClick(abortBtn(), Qt::LeftButton);
    ASSERT_TRUE(waitFor([this] { return !verf().running(); }, 2000));
    const qsizetype fed = items("SuiteLB").size();
    EXPECT_LT(fed, 500);
    EXPECT_EQ(label("StatusLbl"), "Done.");
    EXPECT_FALSE(abortBtn()->isEnabled());
    QApplication::processEvents();
    EXPECT_EQ(items("SuiteLB").size(), fed);
    type("4=");
    EXPECT_EQ(form_->state().history().entries().size(), 1u);
}

TEST_F(HistoryVerfUi, CancelDoesNothingAndAnUnreadableSuiteIsReported) {
    open();
    verf().setFileChooser([](QWidget*) { return QString(); });
    menu("Run Verification Suite");
    EXPECT_FALSE(verf().isVisible());
    EXPECT_EQ(label("StatusLbl"), "---");

    // A suite over 4 MB is refused as `tallix-cli verify` refuses it.
    const QString huge = QDir(dir_.path()).filePath("huge.txt");
    QFile hugeFile(huge);
    ASSERT_TRUE(hugeFile.open(QIODevice::WriteOnly) && hugeFile.resize(qint64{1} << 30));
    hugeFile.close();
    for (const QString& bad : {QDir(dir_.path()).filePath("absent.txt"), dir_.path(), huge}) {
        SCOPED_TRACE(bad.toStdString());
        QString message;
        whenModal([&](QWidget* w) {
            if (auto* box = qobject_cast<QMessageBox*>(w)) message = box->text();
            w->close();
        });
        runSuite(bad);
        EXPECT_EQ(message, bad == huge
                               ? "Unable to read specified test suite: it is larger than 4 MB."
                               : "Unable to read specified test suite.");
        EXPECT_EQ(label("StatusLbl"), "Done.");
        EXPECT_FALSE(abortBtn()->isEnabled());
    }
    EXPECT_TRUE(items("SuiteLB").isEmpty());
    type("5=");
    EXPECT_EQ(form_->state().history().entries().size(), 1u);
}

} // namespace
