#include "ui/pages/MatrixPage.h"

#include "engine/matrix/MatMessages.h"
#include "store/History.h"
#include "ui/dialogs/tallixGJanimate.h"
#include "ui/dialogs/tallixMatDialogs.h"
#include "ui/shell/AppState.h"
#include "ui/views/ClickLabel.h"
#include "ui/views/Keypad.h"
#include "ui/views/MatDisplay.h"
#include "ui/views/MatList.h"

#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <chrono>

namespace tallix {

using namespace layout;

namespace {

constexpr int kSubModeTop = kBelowModeLbls + 2;
constexpr int kBodyTop = kBelowModeLbls + 22;
constexpr int kLettersTop = kKeypadTop - 44;

constexpr std::array<MatSubMode, 7> kSubModes = {
    MatSubMode::List, MatSubMode::Edit, MatSubMode::Algeb, MatSubMode::Inv,
    MatSubMode::Rref, MatSubMode::Det,  MatSubMode::Trace};

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

double now() {
    return dateTimeNumber(std::chrono::system_clock::now());
}

} // namespace

MatrixPage::MatrixPage(AppState& state, QWidget* shell) : ModePage("MatrixPage", state, shell) {
    MatsLB_ = new MatList(mat().catalog, this);
    MatsLB_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MatsLB_, &QListWidget::currentRowChanged, this, [this](int row) {
        mat().selectedRow = row;
        // Rref needs a selected row in the List sub-mode.
        if (mat().subMode == MatSubMode::List) EnableInvRrefDetTraceLbls(true);
    });
    connect(MatsLB_, &QListWidget::itemDoubleClicked, this, [this] { EditSelected(); });
    listMenu_ = new QMenu(this);
    listMenu_->setObjectName("MatsLBPU");
    connect(listMenu_->addAction("Rename Matrix"), &QAction::triggered, this,
            &MatrixPage::RenameSelected);
    connect(MatsLB_, &QWidget::customContextMenuRequested, this, [this](QPoint p) {
        if (QListWidgetItem* item = MatsLB_->itemAt(p)) {
            MatsLB_->setCurrentItem(item);
            listMenu_->popup(MatsLB_->viewport()->mapToGlobal(p));
        }
    });

    const std::array<std::pair<const char*, const char*>, 3> listLbls = {{
        {"Create New Matrix", "Click to Create a New Named Permanent Matrix"},
        {"Edit Selected", "Click to Edit selected Matrix"},
        {"Delete Selected", "Click to Delete selected Matrix - Warning: once deleted, can not be "
                            "\"undeleted\""},
    }};
    for (std::size_t i = 0; i < 3; ++i) {
        auto* l = new ClickLabel(QString("MatListLbl%1").arg(i), listLbls[i].first, this);
        l->setToolTip(listLbls[i].second);
        l->setFont(uiFont(10, true));
        l->adjustSize();
        l->setCursor(Qt::PointingHandCursor);
        setInk(l, kInactiveLbl);
        matListLbls_[i] = l;
    }
    connect(matListLbls_[0], &ClickLabel::clicked, this, &MatrixPage::CreateNewMatrix);
    connect(matListLbls_[1], &ClickLabel::clicked, this, &MatrixPage::EditSelected);
    connect(matListLbls_[2], &ClickLabel::clicked, this, &MatrixPage::DeleteSelected);

    const std::array<std::pair<const char*, const char*>, 7> subModes = {{
        {"List", "Click to List permanent managed named matrices"},
        {"Edit", "Click to Edit selected Matrix"},
        {"Algeb", "Click to enter Matrix Algebra mode"},
        {"Inv", "Click to compute Inverse of selected matrix, or of previous computed result"},
        {"Rref", "Click to generate RREF of selected matrix or previous result matrix"},
        {"Det", "Click to compute Determinant of selected matrix, or previous result"},
        {"Trace", "Click to compute Trace of selected matrix, or previous result"},
    }};
    for (std::size_t i = 0; i < 7; ++i) {
        auto* l =
            new ClickLabel(QString("Mat%1Lbl").arg(subModes[i].first), subModes[i].first, this);
        l->setToolTip(subModes[i].second);
        l->setFont(uiFont(12, true));
        l->adjustSize();
        l->setCursor(Qt::PointingHandCursor);
        matSubModeLbls_[i] = l;
        const MatSubMode m = kSubModes[i];
        connect(l, &ClickLabel::clicked, this, [this, m] {
            if (m == MatSubMode::List || m == MatSubMode::Edit || m == MatSubMode::Algeb)
                selectSubMode(m);
            else
                operationClicked(m);
        });
    }

    rrefMenu_ = new QMenu(this);
    rrefMenu_->setObjectName("RrefPU");
    QAction* just = rrefMenu_->addAction("Just Do It");
    just->setToolTip("Compute and display the RREF result");
    QAction* anim = rrefMenu_->addAction("Animate ");
    anim->setToolTip("Compute RREF maxtric, showing each step in the process");
    connect(just, &QAction::triggered, this, &MatrixPage::justDoIt);
    connect(anim, &QAction::triggered, this, &MatrixPage::animate);
    connect(rrefMenu_, &QMenu::aboutToHide, this, [this] {
        // The menu hides before its entry is triggered.
        QTimer::singleShot(0, this, [this] {
            if (rrefChosen_ || mat().subMode != MatSubMode::Rref) return;
            mat().returnToPrevious();
            refresh();
        });
    });

    MatPB_ = new MatDisplay(mat(), this);
    connect(MatPB_, &PaintBox::pressed, this, &MatrixPage::displayPressed);

    for (int i = 0; i < 27; ++i) {
        const QString text = i < 26 ? QString(QChar('A' + i)) : QString("<=");
        auto* l = new ClickLabel(QString("MatLetter%1").arg(text), text, this);
        l->setFont(uiFont(11, true));
        l->setAlignment(Qt::AlignCenter);
        l->setCursor(Qt::PointingHandCursor);
        setInk(l, kInactiveLbl);
        letterLbls_[static_cast<std::size_t>(i)] = l;
        const TokenCode code = i < 26 ? static_cast<TokenCode>(mat::FirstName + i) : 38;
        connect(l, &ClickLabel::clicked, this, [this, code] { ProcessMatButtonClick(code); });
    }

    kbImage_ = new Keypad("kbImage", KeypadKind::Calc, this);
    keypads_ = {kbImage_};
    connect(kbImage_, &Keypad::keyClicked, this, [this](int code) {
        ProcessMatButtonClick(static_cast<TokenCode>(code));
        emit keyDispatched(static_cast<int>(CalcMode::Matrix), code);
    });
    connect(kbImage_, &Keypad::menuRequested, this,
            [this](QPoint p) { emit menuRequested(kbImage_->mapToGlobal(p) - QPoint(120, 0)); });
    connect(&state_, &AppState::settingsChanged, this,
            [this] { MatPB_->setCaretColor(state_.settings().cursorcolor); });
    MatPB_->setCaretColor(state_.settings().cursorcolor);
    EnableInvRrefDetTraceLbls(true);
    refresh();
}

MatState& MatrixPage::mat() {
    return state_.workspace().mat();
}

QWidget* MatrixPage::displayBox() const {
    return MatPB_;
}

void MatrixPage::arrange() {
    int x = kMargin;
    for (QLabel* l : matSubModeLbls_) {
        l->move(x, kSubModeTop);
        x += l->width() + (l == matSubModeLbls_[2] ? 30 : 10);
    }
    const int buttonsTop = kKeypadTop - 20;
    MatsLB_->setGeometry(kMargin, kBodyTop, kWide, buttonsTop - 4 - kBodyTop);
    matListLbls_[0]->move(kMargin, buttonsTop);
    matListLbls_[1]->move(kClientWidth / 2 - matListLbls_[1]->width() / 2, buttonsTop);
    matListLbls_[2]->move(kClientWidth - kMargin - matListLbls_[2]->width(), buttonsTop);
    MatPB_->setGeometry(kMargin, kBodyTop, kWide, kLettersTop - 4 - kBodyTop);
    // The letters in two rows of 14 cells: A..N, then O..Z and "<=".
    const int cell = kWide / 14;
    for (int i = 0; i < 27; ++i) {
        ClickLabel* l = letterLbls_[static_cast<std::size_t>(i)];
        l->setGeometry(kMargin + (i % 14) * cell, kLettersTop + (i / 14) * 20, cell, 18);
    }
    kbImage_->move((kClientWidth - kCalcKeypadWidth) / 2, kKeypadTop);
    refresh();
}

// Shows the controls of the current sub-mode, colours the sub-mode labels
// (ColorMatLblsPerSubMode) and repaints the display.
void MatrixPage::refresh() {
    const MatSubMode m = mat().subMode;
    const bool list = m == MatSubMode::List;
    MatsLB_->setVisible(list);
    for (ClickLabel* l : matListLbls_)
        l->setVisible(list);
    MatPB_->setVisible(!list);
    for (ClickLabel* l : letterLbls_)
        l->setVisible(m == MatSubMode::Algeb);
    for (std::size_t i = 0; i < 7; ++i)
        setInk(matSubModeLbls_[i], kSubModes[i] == m ? kActiveLbl : kInactiveLbl);
    MatPB_->markDirty();
}

void MatrixPage::EnableInvRrefDetTraceLbls(bool on) {
    for (std::size_t i = 3; i < 7; ++i)
        matSubModeLbls_[i]->setEnabled(on);
}

void MatrixPage::selectSubMode(MatSubMode m) {
    if (m == MatSubMode::Algeb) {
        mat().enterAlgeb();
        EnableInvRrefDetTraceLbls(mat().opsEnabled());
    } else {
        mat().subMode = m;
        EnableInvRrefDetTraceLbls(true);
    }
    refresh();
}

void MatrixPage::ProcessMatButtonClick(TokenCode code) {
    if (mat().subMode == MatSubMode::Edit) {
        cellEdited(mat().editCellKey(code));
    } else if (mat().subMode == MatSubMode::Algeb) {
        mat().ProcessMatButtonClick(code);
        EnableInvRrefDetTraceLbls(mat().opsEnabled());
        MatPB_->markDirty();
    }
}

// After a key in Edit: a changed cell is written to the catalog file at once.
void MatrixPage::cellEdited(bool changed) {
    if (changed) state_.saveMats();
    MatPB_->markDirty();
}

bool MatrixPage::keyPress(QKeyEvent* event) {
    switch (mat().subMode) {
    case MatSubMode::Edit:
        return editKeyPress(event);
    case MatSubMode::Algeb:
        return algebKeyPress(event);
    default:
        return false;
    }
}

bool MatrixPage::editKeyPress(QKeyEvent* event) {
    std::optional<MatCellMove> move;
    switch (event->key()) {
    case Qt::Key_Home:
        move = MatCellMove::Home;
        break;
    case Qt::Key_End:
        move = MatCellMove::End;
        break;
    case Qt::Key_Left:
        move = MatCellMove::Left;
        break;
    case Qt::Key_Right:
        move = MatCellMove::Right;
        break;
    case Qt::Key_Up:
        move = MatCellMove::Up;
        break;
    case Qt::Key_Down:
        move = MatCellMove::Down;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        move = MatCellMove::Enter;
        break;
    case Qt::Key_Backspace:
        ProcessMatButtonClick(38);
        return true;
    case Qt::Key_Delete:
        cellEdited(mat().editCellDelete());
        return true;
    default:
        break;
    }
    if (move) {
        mat().editCellMove(*move);
        MatPB_->markDirty();
        return true;
    }
    const QString t = event->text();
    if (t.size() != 1) return false;
    const char c = t[0].toLatin1();
    if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.' || c == '/') {
        ProcessMatButtonClick(*matCodeForChar(c));
        return true;
    }
    return false;
}

bool MatrixPage::algebKeyPress(QKeyEvent* event) {
    std::optional<MatEditKey> key;
    switch (event->key()) {
    case Qt::Key_Home:
        key = MatEditKey::Home;
        break;
    case Qt::Key_End:
        key = MatEditKey::End;
        break;
    case Qt::Key_Left:
        key = MatEditKey::Left;
        break;
    case Qt::Key_Right:
        key = MatEditKey::Right;
        break;
    case Qt::Key_Delete:
        key = MatEditKey::Delete;
        break;
    case Qt::Key_Backspace:
        ProcessMatButtonClick(38);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ProcessMatButtonClick(31);
        return true;
    default:
        break;
    }
    if (key) {
        mat().editKey(*key);
        EnableInvRrefDetTraceLbls(mat().opsEnabled());
        MatPB_->markDirty();
        return true;
    }
    const QString t = event->text();
    if (t.size() != 1) return false;
    const auto code = matCodeForChar(t[0].toLatin1());
    if (!code) return false;
    ProcessMatButtonClick(*code);
    return true;
}

void MatrixPage::cursorTick() {
    const MatSubMode m = mat().subMode;
    if (m == MatSubMode::Edit || m == MatSubMode::Algeb) MatPB_->toggleCaret();
}

void MatrixPage::displayPressed(Qt::MouseButton button, QPoint pos) {
    if (button == Qt::RightButton) {
        showOptions();
        return;
    }
    if (button != Qt::LeftButton) return;
    switch (mat().subMode) {
    case MatSubMode::Edit:
        if (const auto hit = MatPB_->editHit(pos)) {
            mat().editCellPlace(hit->row, hit->col, hit->cursor);
            MatPB_->markDirty();
        }
        break;
    case MatSubMode::Algeb: {
        const int target = MatPB_->exprHit(pos);
        mat().editKey(MatEditKey::Home);
        for (int i = 1; i < target; ++i)
            mat().editKey(MatEditKey::Right);
        MatPB_->markDirty();
        break;
    }
    case MatSubMode::List:
        break;
    default:
        if (MatPB_->onBack(pos)) selectSubMode(mat().prevSubMode);
        break;
    }
}

void MatrixPage::catalogChanged(int selectRow) {
    state_.saveMats();
    MatsLB_->rebuild(selectRow);
    mat().selectedRow = MatsLB_->currentRow();
}

void MatrixPage::CreateNewMatrix() {
    TtallixMatNewForm dialog(state_, mat().catalog, window());
    if (dialog.exec() != QDialog::Accepted) return;
    const MatChange r = mat().create(dialog.request(), now());
    if (!r.ok) {
        QMessageBox::warning(window(), "Graphing Abacorn", qs(r.message));
        return;
    }
    catalogChanged(r.index);
    EnableInvRrefDetTraceLbls(true);
    refresh();
}

void MatrixPage::EditSelected() {
    const int row = MatsLB_->currentRow();
    if (row < 0 || !mat().editMat(row)) return;
    EnableInvRrefDetTraceLbls(true);
    refresh();
}

void MatrixPage::DeleteSelected() {
    const int row = MatsLB_->currentRow();
    if (row < 0) return;
    const auto ask = [this](std::string_view text) {
        return QMessageBox::question(window(), "Graphing Abacorn", qs(text),
                                     QMessageBox::Yes | QMessageBox::Cancel,
                                     QMessageBox::Cancel) == QMessageBox::Yes;
    };
    if (!ask(matmsg::kDeleteAsk) || !ask(matmsg::kDeleteAskAgain)) return;
    const MatChange r = mat().remove(row);
    if (!r.ok) {
        QMessageBox::warning(window(), "Graphing Abacorn", qs(r.message));
        return;
    }
    catalogChanged(-1);
    refresh();
}

void MatrixPage::RenameSelected() {
    const int row = MatsLB_->currentRow();
    if (row < 0) return;
    const MatDef d = ParseMatDefN(mat().catalog, row);
    bool ok = false;
    const QString name =
        QInputDialog::getText(window(), qs(matmsg::renameTitle(d.name)), qs(matmsg::kRenamePrompt),
                              QLineEdit::Normal, QString::fromStdString(d.name), &ok);
    if (!ok) return;
    const MatChange r = mat().rename(row, name.toStdString());
    if (!r.ok) {
        if (!r.message.empty()) QMessageBox::warning(window(), "Graphing Abacorn", qs(r.message));
        return;
    }
    catalogChanged(r.index);
    refresh();
}

void MatrixPage::showOptions() {
    TtallixMatOptionsForm dialog(state_, mat().canSaveResult(), window());
    bool save = false;
    connect(&dialog, &TtallixMatOptionsForm::saveRequested, this, [&save] { save = true; });
    dialog.exec();
    MatPB_->markDirty();
    if (save) saveResultAs();
}

void MatrixPage::saveResultAs() {
    if (!mat().canSaveResult()) return;
    for (;;) {
        TtallixSaveMatAsForm dialog(state_, window());
        if (dialog.exec() != QDialog::Accepted) return;
        const std::string name = dialog.name().toStdString();
        if (FindMatDefInMatsTSL(mat().catalog, name) >= 0 &&
            QMessageBox::question(window(), "Graphing Abacorn", qs(matmsg::overwriteAsk(name)),
                                  QMessageBox::Ok | QMessageBox::No,
                                  QMessageBox::No) != QMessageBox::Ok)
            continue;
        const MatChange r = mat().saveResultAs(name, now());
        if (!r.ok) {
            if (!r.message.empty())
                QMessageBox::warning(window(), "Graphing Abacorn", qs(r.message));
            return;
        }
        catalogChanged(r.index);
        refresh();
        return;
    }
}

void MatrixPage::operationClicked(MatSubMode op) {
    if (op != MatSubMode::Rref) {
        mat().runOperation(op);
        refresh();
        return;
    }
    if (!mat().enterOperation(op)) return;
    refresh();
    rrefChosen_ = false;
    rrefMenu_->setToolTipsVisible(state_.hintsEnabled());
    ClickLabel* l = matSubModeLbls_[4];
    rrefMenu_->popup(l->mapToGlobal(QPoint(0, l->height())));
}

void MatrixPage::justDoIt() {
    rrefChosen_ = true;
    mat().computeOperation();
    refresh();
}

void MatrixPage::animate() {
    rrefChosen_ = true;
    const MatSource src = mat().operationSource();
    MatGrid m;
    if (src.status == MatSource::Status::Ok || src.status == MatSource::Status::InvalidCell)
        m = src.grid;
    TtallixGJanimateForm dialog(state_, m, window());
    dialog.exec();
    mat().computeOperation();
    refresh();
}

} // namespace tallix
