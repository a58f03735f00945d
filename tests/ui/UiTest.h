#pragma once

#include "store/AtomicFile.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tallix::test {

// Base of the window tests: one QApplication for the whole program, and a
// fresh temporary data folder for each test, so no test sees another's files.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "ui_tests";
        static char* argv[] = {name, nullptr};
        if (!qApp) new QApplication(argc, argv);
        ASSERT_TRUE(dir_.isValid());
    }

    // The data folder each window of the test is given.
    std::filesystem::path dataFolder() const { return dir_.path().toStdString(); }

    // The settings file as it stands on disk (empty when there is none).
    std::string ini() const {
        std::string s;
        readWholeFile(dataFolder() / "tallix.ini", s);
        return s;
    }

    // Closes the next message box as soon as the event loop shows it, and
    // keeps its text in `text` (which must outlive the box).
    static void closeNextMessageBox(QString& text) {
        QTimer::singleShot(0, [&text] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->close();
            }
        });
    }

    QTemporaryDir dir_;
};

} // namespace tallix::test
