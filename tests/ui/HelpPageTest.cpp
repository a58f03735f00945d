#include "tests/ui/UiTest.h"
#include "ui/shell/tallixMain.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTextBrowser>

namespace tallix {
namespace {

using HelpPage = test::UiTest;

// The tutorial entry opens the help's first page, a local file found beside
// the program (the build folder's help/ for the tests), through the desktop's
// browser; a text browser stands in for it here.
TEST_F(HelpPage, TutorialOpensTheLocalHelpPage) {
    QTextBrowser browser;
    QDesktopServices::setUrlHandler("file", &browser, "setSource");
    TtallixMainForm form(dataFolder());
    auto* menu = form.findChild<QMenu*>("HelpPU");
    ASSERT_NE(menu, nullptr);
    QAction* tutorial = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == "Using Calculator Tutorial") tutorial = a;
    ASSERT_NE(tutorial, nullptr);
    QString warning; // none expected: closed, not waited on, if it comes
    closeNextMessageBox(warning);
    tutorial->trigger();
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(warning.toStdString(), "");

    const QUrl opened = browser.source();
    ASSERT_TRUE(opened.isLocalFile()) << opened.toString().toStdString();
    EXPECT_EQ(QFileInfo(opened.toLocalFile()).fileName(), "index.html");
    EXPECT_TRUE(QFileInfo(opened.toLocalFile()).isFile());
    EXPECT_TRUE(browser.toPlainText().contains("Graphing Abacorn"));
}

} // namespace
} // namespace tallix
