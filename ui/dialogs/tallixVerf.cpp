#include "ui/dialogs/tallixVerf.h"

#include "ui/shell/AppState.h"

#include "engine/calc/Verification.h"
#include "store/SuiteFile.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tallix {

namespace {

QString chooseSuiteFile(QWidget* parent) {
    QFileDialog dialog(parent, "Open Calculator Verification Test Suite File");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({"Text Files (*.txt)", "All Files (*.*)"});
    dialog.setDefaultSuffix("txt");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QListWidget* captionedList(const char* name, const char* caption, QBoxLayout* into, int stretch,
                           QWidget* parent) {
    auto* column = new QVBoxLayout;
    column->addWidget(new QLabel(caption, parent));
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setUniformItemSizes(true);
    column->addWidget(list);
    into->addLayout(column, stretch);
    return list;
}

} // namespace

TtallixVerfForm::TtallixVerfForm(AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Window), state_(state), chooser_(chooseSuiteFile) {
    connect(&state_, &AppState::trigModeChanged, this, [this] {
        if (run_ && !suiteSetting_) userSetTrig_ = true;
    });
    setObjectName("TtallixVerfForm");
    setWindowTitle("Verification Test Suite");
    resize(760, 480);

    auto* layout = new QVBoxLayout(this);
    fileLbl_ = new QLabel("Verification Test File :  -", this);
    fileLbl_->setObjectName("FileLbl");
    fileLbl_->setAlignment(Qt::AlignCenter);
    layout->addWidget(fileLbl_);

    auto* lists = new QHBoxLayout;
    suiteLB_ = captionedList("SuiteLB", "Test Suite Text", lists, 2, this);
    errorsLB_ = captionedList("ErrorsLB", "Errors", lists, 3, this);
    layout->addLayout(lists, 1);

    auto* bottom = new QHBoxLayout;
    statusLbl_ = new QLabel("---", this);
    statusLbl_->setObjectName("StatusLbl");
    bottom->addWidget(statusLbl_, 1);
    abortBtn_ = new QPushButton("Abort Test", this);
    abortBtn_->setObjectName("AbortTestBtn");
    abortBtn_->setEnabled(false);
    connect(abortBtn_, &QPushButton::clicked, this, &TtallixVerfForm::AbortTestBtnClick);
    bottom->addWidget(abortBtn_);
    layout->addLayout(bottom);
}

TtallixVerfForm::~TtallixVerfForm() = default;

void TtallixVerfForm::run() {
    if (running()) {
        raise();
        return;
    }
    const QString file = chooser_ ? chooser_(this) : QString();
    if (file.isEmpty()) return;
    runFile(file);
}

void TtallixVerfForm::runFile(const QString& file) {
    if (running()) return;
    fileLbl_->setText("Verification Test Suite FileName :  " + QFileInfo(file).fileName());
    abortBtn_->setEnabled(true);
    abortRequested_ = false;
    show();
    raise();

    std::string text;
    if (const auto refusal = readSuiteFile(QFile::encodeName(file).toStdString(), text)) {
        QMessageBox::warning(this, windowTitle(), QString::fromStdString(*refusal));
        finish();
        return;
    }
    lines_ = splitLines(text);
    next_ = 0;
    run_ = std::make_unique<VerificationRun>(state_.workspace().calc(), [this](TrigMode t) {
        suiteSetTrig_ = true;
        suiteSetting_ = true;
        state_.setTrigMode(t);
        suiteSetting_ = false;
    });
    errorsShown_ = 0;
    // Suites may switch the trig mode; the user's choice comes back afterwards.
    trigModeBefore_ = state_.trigMode();
    suiteSetTrig_ = userSetTrig_ = false;
    state_.setRecordHistory(false);
    emit runStarted();
    QTimer::singleShot(0, this, &TtallixVerfForm::step);
}

void TtallixVerfForm::step() {
    if (!run_) return;
    if (abortRequested_ || next_ >= lines_.size()) {
        finish();
        return;
    }
    const int n = static_cast<int>(next_) + 1;
    const std::string shown = run_->runLine(n, lines_[next_++]);
    suiteLB_->addItem(QString::fromStdString(shown));
    suiteLB_->scrollToBottom();
    statusLbl_->setText(QString("[ processing line %1/%2 ]").arg(n).arg(lines_.size()));
    const std::vector<std::string>& errors = run_->errors();
    for (; errorsShown_ < errors.size(); ++errorsShown_)
        errorsLB_->addItem(QString::fromStdString(errors[errorsShown_]));
    if (errorsShown_ > 0) errorsLB_->scrollToBottom();
    emit lineFed();
    QTimer::singleShot(0, this, &TtallixVerfForm::step);
}

void TtallixVerfForm::finish() {
    const bool wasRunning = running();
    // The suite's own trig mode goes back to the user's, unless the user
    // changed it meanwhile.
    if (wasRunning && suiteSetTrig_ && !userSetTrig_) state_.setTrigMode(trigModeBefore_);
    run_.reset();
    lines_.clear();
    abortBtn_->setEnabled(false);
    statusLbl_->setText("Done.");
    if (wasRunning) emit lineFed();
    state_.setRecordHistory(true);
    emit runFinished();
}

void TtallixVerfForm::AbortTestBtnClick() {
    abortBtn_->setEnabled(false);
    abortRequested_ = true;
}

void TtallixVerfForm::closeEvent(QCloseEvent* event) {
    if (running()) AbortTestBtnClick();
    QWidget::closeEvent(event);
}

} // namespace tallix
