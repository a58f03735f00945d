#include "ui/pages/RegrPage.h"

#include "engine/lists/RegrCopy.h"
#include "ui/shell/AppState.h"
#include "ui/views/ListCards.h"
#include "ui/views/RegrPlotView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>

namespace tallix {

using namespace layout;

namespace {

constexpr int kBuiltinLists = 2; // "Integer List 0..n", "Integer List 1..n"

} // namespace

RegrPage::RegrPage(AppState& state, QWidget* shell) : ModePage("RegrPage", state, shell) {
    regrPB_ = new RegrPlotView(state_.workspace().regr(), this);
    const std::array<const char*, 3> captions = {"X Data List", "Y Data List", "Regression Model"};
    for (int i = 0; i < 3; ++i) {
        regrCaptions_[i] = new QLabel(captions[i], this);
        regrCaptions_[i]->setFont(uiFont(10));
        regrCaptions_[i]->adjustSize();
    }
    XListCB_ = new QComboBox(this);
    XListCB_->setObjectName("XListCB");
    YListCB_ = new QComboBox(this);
    YListCB_->setObjectName("YListCB");
    RegrModelCB_ = new QComboBox(this);
    RegrModelCB_->setObjectName("RegrModelCB");
    for (const char* model : kRegrModelNames)
        RegrModelCB_->addItem(model);
    RegrModelCB_->setCurrentIndex(-1);
    RegrLB_ = new QListWidget(this);
    RegrLB_->setObjectName("RegrLB");
    RegrLB_->setItemDelegate(new RegrLineDelegate(RegrLB_));
    QPalette pal = RegrLB_->palette();
    pal.setColor(QPalette::Base, winColor(16316664));
    RegrLB_->setPalette(pal);
    // The list texts are longer than the choosers are wide: the lists open wider.
    XListCB_->view()->setMinimumWidth(kWide * 2 / 3);
    YListCB_->view()->setMinimumWidth(kWide * 2 / 3);
    for (QComboBox* cb : {XListCB_, YListCB_, RegrModelCB_})
        connect(cb, &QComboBox::currentIndexChanged, this, [this] { DoRegression(); });
    buildRegrMenu();
    connect(regrPB_, &RegrPlotView::menuRequested, this,
            [this](QPoint at) { RegrRclickPU_->popup(at); });
    fillChoosers();
    showReport();
}

// The plot's menu. The shell puts the picture entries ("Save Calculator Image
// as BitMap", "Save Calculator Image as Jpeg") above the separator.
void RegrPage::buildRegrMenu() {
    RegrRclickPU_ = new QMenu(this);
    RegrRclickPU_->setObjectName("RegrRclickPU");
    RegrRclickPU_->addSeparator();
    QAction* copy = RegrRclickPU_->addAction("Copy Results to Graphing Calculator");
    copy->setObjectName("CopyResultstoGraphingCalculator1");
    connect(copy, &QAction::triggered, this, &RegrPage::CopyResultstoGraphingCalculator1Click);
}

void RegrPage::fillChoosers() {
    const std::vector<std::string> texts = regrChooserTexts(state_.workspace().lists());
    for (QComboBox* cb : {XListCB_, YListCB_}) {
        const QSignalBlocker block(cb);
        cb->clear();
        if (cb == XListCB_) cb->addItems({"Integer List 0..n", "Integer List 1..n"});
        for (const std::string& t : texts)
            cb->addItem(QString::fromStdString(t));
        cb->setCurrentIndex(-1);
    }
}

void RegrPage::DoRegression() {
    Workspace& ws = state_.workspace();
    RegrState& regr = ws.regr();
    const int xi = XListCB_->currentIndex(), yi = YListCB_->currentIndex();
    const int model = RegrModelCB_->currentIndex();
    const auto missing = missingChoiceLines(xi >= 0, yi >= 0, model >= 0);
    if (!missing.empty()) {
        regr.report = missing;
        regr.xs.clear();
        regr.ys.clear();
        regr.fitted = false;
        showReport();
        return;
    }
    // Lists are known by their place in the chooser: a long name cut out of
    // its chooser text still finds its list.
    auto load = [&](int index, std::vector<std::string>& items) {
        const ReadResult r = state_.readList(index, items);
        const ListDef d = ParseListN(ws.lists(), index);
        // A list never saved has no file yet: it is empty, not unreadable.
        if (r.read() || (r.status == ReadResult::Status::Missing && d.count == "0")) return;
        items.clear();
        QMessageBox::critical(window(), "Graphing Abacorn",
                              QString::fromStdString(listmsg::loadError(d.name)));
    };
    RegrData data;
    data.yName = ParseListN(ws.lists(), yi).name;
    load(yi, data.y);
    std::vector<std::string> extra;
    if (xi >= kBuiltinLists) {
        data.xName = ParseListN(ws.lists(), xi - kBuiltinLists).name;
        load(xi - kBuiltinLists, data.x);
    } else {
        const std::string entry = XListCB_->itemText(xi).toStdString();
        BuiltinList b = builtinXList(entry, data.y.size());
        data.xName = entry;
        data.x = std::move(b.items);
        if (!b.error.empty()) extra.push_back(b.error);
    }
    runRegression(regr, static_cast<RegrModel>(model), data);
    regr.report.insert(regr.report.begin(), extra.begin(), extra.end());
    showReport();
}

void RegrPage::showReport() {
    RegrLB_->clear();
    for (const std::string& line : state_.workspace().regr().report)
        RegrLB_->addItem(QString::fromStdString(line));
    regrPB_->markDirty();
}

void RegrPage::CopyResultstoGraphingCalculator1Click() {
    Workspace& ws = state_.workspace();
    if (copyFitToFunctions(ws.funcs(), ws.funcEditor(), ws.regr().copyText) == 0) return;
    state_.funcsEdited();
}

void RegrPage::arrange() {
    const int captionTop = 250, chooserTop = captionTop + 14;
    regrPB_->setGeometry(kMargin, kBelowModeLbls, kWide, captionTop - 2 - kBelowModeLbls);
    const int third = (kWide - 8) / 3;
    const std::array<QComboBox*, 3> choosers = {XListCB_, YListCB_, RegrModelCB_};
    for (int i = 0; i < 3; ++i) {
        regrCaptions_[i]->move(kMargin + i * (third + 4), captionTop);
        choosers[i]->setGeometry(kMargin + i * (third + 4), chooserTop, third, 22);
    }
    const int listTop = chooserTop + 26;
    RegrLB_->setGeometry(kMargin, listTop, kWide, kClientHeight - 10 - listTop);
}

} // namespace tallix
