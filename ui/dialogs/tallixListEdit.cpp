#include "ui/dialogs/tallixListEdit.h"

#include "store/AtomicFile.h"
#include "ui/dialogs/tallixListNew.h"
#include "ui/shell/AppState.h"
#include "ui/views/ClickLabel.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tallix {

// The grid of the editor; finishes a cell edit in progress on request.
class GridTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    void commitEdit() {
        QWidget* editor = QApplication::focusWidget();
        if (state() != EditingState || !editor || !viewport()->isAncestorOf(editor)) return;
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
};

namespace {

constexpr int kNameRows = 2; // the name and the "modified" mark above the items

ClickLabel* link(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new ClickLabel(name, text, parent);
    l->setCursor(Qt::PointingHandCursor);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
    l->setPalette(pal);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    return l;
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TtallixListEditForm::TtallixListEditForm(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
    setObjectName("TtallixListEditForm");
    setWindowTitle("List Edit");
    chooseFile_ = [](QWidget* p, const QString& folder) {
        return QFileDialog::getOpenFileName(p, "Select File to Load into List", folder,
                                            "Text Files (*.txt);;All Files (*)");
    };
    append_ = new TtallixListAppendForm(this);

    auto* box = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* insert = link("InsertLbl", "Insert Item", this);
    auto* del = link("DeleteItemLbl", "Delete Item", this);
    top->addWidget(insert);
    top->addStretch();
    top->addWidget(del);
    box->addLayout(top);
    auto* sources = new QHBoxLayout;
    auto* load = link("LoadFromFileLbl", "Load from File", this);
    auto* clip = link("CopyFromClipboardLbl", "Copy from Clipboard", this);
    auto* other = link("AppendFromAnotherListLbl", "Append from another List", this);
    for (QWidget* w :
         {static_cast<QWidget*>(load), static_cast<QWidget*>(clip), static_cast<QWidget*>(other)})
        sources->addWidget(w);
    sources->addStretch();
    box->addLayout(sources);

    dataSG_ = new GridTable(this);
    dataSG_->setObjectName("dataSG");
    dataSG_->horizontalHeader()->hide();
    dataSG_->verticalHeader()->setDefaultSectionSize(24);
    dataSG_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    dataSG_->setSelectionMode(QAbstractItemView::SingleSelection);
    dataSG_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                             QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    dataSG_->installEventFilter(this);
    box->addWidget(dataSG_, 1);
    connect(dataSG_, &QTableWidget::itemChanged, this, &TtallixListEditForm::cellEdited);

    auto* save = link("SaveChangesExitLbl", "Save Changes and Exit", this);
    auto* quit = link("ExitWithoutSavingLbl", "(Exit Without Saving)", this);
    box->addWidget(save, 0, Qt::AlignHCenter);
    box->addWidget(quit, 0, Qt::AlignHCenter);

    connect(insert, &ClickLabel::clicked, this, &TtallixListEditForm::InsertLblClick);
    connect(del, &ClickLabel::clicked, this, &TtallixListEditForm::DeleteItemLblClick);
    connect(load, &ClickLabel::clicked, this, &TtallixListEditForm::LoadFromFileLblClick);
    connect(clip, &ClickLabel::clicked, this, &TtallixListEditForm::CopyFromClipboardLblClick);
    connect(other, &ClickLabel::clicked, this, &TtallixListEditForm::AppendFromAnotherListLblClick);
    connect(save, &ClickLabel::clicked, this, &TtallixListEditForm::accept);
    connect(quit, &ClickLabel::clicked, this, &TtallixListEditForm::reject);
}

void TtallixListEditForm::load(ListEditGrid& grid, bool newList) {
    grid_ = &grid;
    newList_ = newList;
    refill();
    dataSG_->setCurrentCell(kNameRows, 0);
}

bool TtallixListEditForm::edit(ListEditGrid& grid, bool newList) {
    load(grid, newList);
    const bool ok = exec() == QDialog::Accepted;
    grid_ = nullptr;
    return ok;
}

void TtallixListEditForm::refill() {
    if (!grid_) return;
    filling_ = true;
    const int rows = grid_->rowCount(), cols = grid_->columnCount();
    dataSG_->setRowCount(rows + kNameRows);
    dataSG_->setColumnCount(cols);
    QStringList labels = {"List Name ->", "List Modified ->"};
    for (int k = 1; k <= rows; ++k)
        labels << QString("Item %1").arg(k);
    dataSG_->setVerticalHeaderLabels(labels);
    const QFontMetrics fm(dataSG_->font());
    int gridWidth = dataSG_->verticalHeader()->sizeHint().width() + 26;
    for (int c = 0; c < cols; ++c) {
        const ListEditGrid::Column& col = grid_->column(c);
        auto fixed = [&](int row, const QString& text) {
            auto* item = new QTableWidgetItem(text);
            item->setFlags(Qt::ItemIsEnabled);
            item->setBackground(QColor(0xE0, 0xE0, 0xE0));
            dataSG_->setItem(row, c, item);
        };
        fixed(0, q(col.name));
        fixed(1, col.modified ? "modified" : "");
        int width = std::max(100, fm.horizontalAdvance(q(col.name)) * (newList_ ? 24 : 20) / 16);
        for (int r = 0; r < rows; ++r) {
            const QString text = q(col.cells[static_cast<std::size_t>(r)]);
            dataSG_->setItem(r + kNameRows, c, new QTableWidgetItem(text));
            width = std::max(width, fm.horizontalAdvance(text) * 20 / 16);
        }
        dataSG_->setColumnWidth(c, width);
        gridWidth += width + 2;
    }
    filling_ = false;
    const int minimum = fm.horizontalAdvance("Save Changes and Exit") * (newList_ ? 20 : 24) / 16;
    resize(std::max(gridWidth, minimum) + 24, std::max(height(), 420));
}

void TtallixListEditForm::cellEdited(QTableWidgetItem* item) {
    if (filling_ || !grid_ || item->row() < kNameRows) return;
    const int rows = grid_->rowCount();
    grid_->setCell(item->column(), item->row() - kNameRows, item->text().toStdString());
    // Only new rows and the mark change: the edited item itself must stay.
    filling_ = true;
    if (grid_->rowCount() != rows) {
        dataSG_->setRowCount(grid_->rowCount() + kNameRows);
        for (int r = rows; r < grid_->rowCount(); ++r) {
            dataSG_->setVerticalHeaderItem(r + kNameRows,
                                           new QTableWidgetItem(QString("Item %1").arg(r + 1)));
            for (int c = 0; c < grid_->columnCount(); ++c)
                dataSG_->setItem(r + kNameRows, c, new QTableWidgetItem(q(grid_->cell(c, r))));
        }
    }
    dataSG_->item(1, item->column())->setText("modified");
    filling_ = false;
}

int TtallixListEditForm::currentList() const {
    return std::max(0, dataSG_->currentColumn());
}

int TtallixListEditForm::currentItemRow() const {
    const int r = dataSG_->currentRow();
    return r >= kNameRows ? r - kNameRows : -1;
}

void TtallixListEditForm::InsertLblClick() {
    const int row = currentItemRow();
    if (!grid_ || row < 0) return;
    dataSG_->commitEdit();
    grid_->insertItem(currentList(), row);
    refill();
}

void TtallixListEditForm::DeleteItemLblClick() {
    const int row = currentItemRow();
    if (!grid_ || row < 0) return;
    dataSG_->commitEdit();
    grid_->deleteItem(currentList(), row);
    refill();
}

void TtallixListEditForm::appendLines(const std::vector<std::string>& lines) {
    if (!grid_) return;
    dataSG_->commitEdit();
    grid_->appendLines(currentList(), lines);
    refill();
}

void TtallixListEditForm::LoadFromFileLblClick() {
    const QString file = chooseFile_(this, QString::fromStdString(state_.dataFolder().string()));
    if (file.isEmpty()) return;
    std::string contents;
    const ReadResult r = readFile(file.toStdString(), contents);
    if (!r.read()) {
        QMessageBox::warning(
            this, windowTitle(),
            QString("%1\n%2").arg(file, q(r.reason.empty() ? "File not found" : r.reason)));
        return;
    }
    appendLines(textLines(contents));
}

void TtallixListEditForm::CopyFromClipboardLblClick() {
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) return;
    appendLines(textLines(text.toStdString()));
}

void TtallixListEditForm::AppendFromAnotherListLblClick() {
    if (!grid_ || grid_->columnCount() == 0) return;
    const int index =
        append_->choose(state_.workspace().lists(), grid_->column(currentList()).name);
    if (index < 0) return;
    std::vector<std::string> items;
    const ReadResult r = state_.readList(index, items);
    if (!r.read() && r.status != ReadResult::Status::Missing) {
        QMessageBox::warning(this, windowTitle(), q(r.reason));
        return;
    }
    appendLines(items);
}

void TtallixListEditForm::accept() {
    if (!grid_) return;
    dataSG_->commitEdit();
    // Every list that will be written must hold numbers only: the
    // regression and the graph read them as numbers.
    for (int c = 0; c < grid_->columnCount(); ++c) {
        if (!grid_->column(c).modified) continue;
        if (const auto bad = grid_->firstInvalid(c)) {
            QMessageBox::warning(this, windowTitle(),
                                 q(listmsg::invalidItem(bad->row + 1, bad->text)));
            dataSG_->setCurrentCell(bad->row + kNameRows, c);
            return;
        }
    }
    QDialog::accept();
}

bool TtallixListEditForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dataSG_ && event->type() == QEvent::KeyPress && grid_) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The key that starts typing in the last row adds the row below it.
        const bool printable = !key->text().isEmpty() && key->text()[0].isPrint();
        if (printable && currentItemRow() == grid_->rowCount() - 1) {
            const int row = dataSG_->currentRow(), col = dataSG_->currentColumn();
            grid_->typing(currentList(), currentItemRow());
            refill();
            dataSG_->setCurrentCell(row, col);
            return false;
        }
        if (key->key() == Qt::Key_Delete && currentItemRow() >= 0) {
            grid_->setCell(currentList(), currentItemRow(), {});
            const int row = dataSG_->currentRow(), col = dataSG_->currentColumn();
            refill();
            dataSG_->setCurrentCell(row, col);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tallix
