#include "optimiser_window.h"

#include "controls.h"
#include "legend_stroke.h"
#include "main_chart.h"

#include "common/qt/desktop.h"
#include "common/qt/form_layout.h"
#include "common/qt/form_support.h"
#include "common/qt/qt_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include <chrono>

namespace qelt {
namespace {

using common::q;

const char* const Title = "Optimise";
// The goals' rows, in the model's order: gain, the ratio, SWR, feed resistance.
const char* const GoalWords[] = {"Gain", "Ratio", "Swr", "R"};
enum Column { Name, Start, Best, Low, High, Locked, Columns };

QString named(const char* prefix, int row, const char* suffix = "") {
    return QString(prefix) + GoalWords[row] + suffix;
}

template <typename Control, typename... Args>
Control* namedControl(const QString& name, Args&&... args) {
    auto* c = new Control(std::forward<Args>(args)...);
    c->setObjectName(name);
    return c;
}

QTableWidgetItem* fixedItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

frmOptimise::frmOptimise(std::function<void(const Antenna&)> accept)
    : accept_(std::move(accept)), grdVariables(common::Named<QTableWidget>("grdVariables")),
      chkBoom(common::Named<QCheckBox>("chkBoom", "Hold the boom length")),
      optBand(common::Named<QRadioButton>("optBand", "All 11 points of the band")),
      optEdges(common::Named<QRadioButton>("optEdges", "Band edges and centre")),
      optLocal(common::Named<QRadioButton>("optLocal", "Local, from this design")),
      optGlobal(common::Named<QRadioButton>("optGlobal", "Global, several starts")),
      txtEvaluations(NumberBox("txtEvaluations", "The most designs the search judges")),
      txtSeconds(NumberBox("txtSeconds", "The most time the search takes, in seconds")),
      lblEvaluations(common::Named<QLabel>("lblEvaluations")),
      lblScore(common::Named<QLabel>("lblScore")), lblStatus(common::Named<QLabel>("lblStatus")),
      ProgressBar1(common::Named<QProgressBar>("ProgressBar1")), TChart1(new MainChart),
      cmdRun(Button("cmdRun", "&Run", "Search for a better design within the limits")),
      cmdStop(Button("cmdStop", "&Stop", "Stop the search and keep the best design so far")),
      cmdAccept(Button("cmdAccept", "&Accept", "Take the best design into the antenna")),
      cmdCancel(Button("cmdCancel", "&Cancel", "Close, leaving the antenna as it was")) {
    setObjectName("frmOptimise");
    setWindowTitle(Title);
    setWindowModality(Qt::ApplicationModal);
    for (int row = 0; row < 4; ++row) {
        chkGoal[row] = namedControl<QCheckBox>(named("chk", row));
        txtWeight[row] = NumberBox("");
        txtWeight[row]->setObjectName(named("txt", row, "Weight"));
        txtTarget[row] = NumberBox("");
        txtTarget[row]->setObjectName(named("txt", row, "Target"));
        lblValue[row] = namedControl<QLabel>(named("lbl", row, "Value"));
    }
    layOut();
    connect(cmdRun, &QPushButton::clicked, this, &frmOptimise::cmdRun_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmOptimise::cmdStop_Click);
    connect(cmdAccept, &QPushButton::clicked, this, &frmOptimise::cmdAccept_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptimise::cmdCancel_Click);
    connect(chkBoom, &QCheckBox::toggled, this, [this](bool held) {
        if (showing_ || !model_) return;
        model_->holdBoom(held);
        showVariables();
    });
    connect(grdVariables, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (showing_ || !model_) return;
        const int row = item->row();
        if (item->column() == Locked) {
            model_->lock(row, item->checkState() == Qt::Checked);
        } else if (item->column() == Low || item->column() == High) {
            if (common::Result<> typed =
                    model_->typeBound(row, item->column() == High, common::s(item->text()));
                !typed)
                message(typed.message());
        }
        showVariables();
    });
}

frmOptimise::~frmOptimise() { endSearch(); }

void frmOptimise::layOut() {
    grdVariables->setColumnCount(Columns);
    grdVariables->verticalHeader()->hide();
    grdVariables->setMinimumWidth(520);
    grdVariables->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* goals = new QGroupBox("Goals");
    auto* grid = new QGridLayout(goals);
    const char* headings[] = {"", "Weight", "Target", "Value (start -> best)"};
    for (int c = 0; c < 4; ++c) grid->addWidget(new QLabel(headings[c]), 0, c);
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(chkGoal[row], row + 1, 0);
        grid->addWidget(txtWeight[row], row + 1, 1);
        grid->addWidget(txtTarget[row], row + 1, 2);
        lblValue[row]->setMinimumWidth(
            lblValue[row]->fontMetrics().horizontalAdvance("1000.00 -> 1000.00 met"));
        grid->addWidget(lblValue[row], row + 1, 3);
    }
    grid->setColumnStretch(3, 1);
    auto* where = new QHBoxLayout;
    where->addWidget(optBand);
    where->addWidget(optEdges);
    where->addStretch();
    grid->addLayout(where, 5, 0, 1, 4);
    common::Exclusive(this, {optBand, optEdges});

    auto* search = new QGroupBox("Search");
    auto* searchRows = new QGridLayout(search);
    searchRows->addWidget(optLocal, 0, 0, 1, 2);
    searchRows->addWidget(optGlobal, 0, 2, 1, 2);
    common::Exclusive(this, {optLocal, optGlobal});
    common::AddRow(searchRows, "Most evaluations:", txtEvaluations);
    common::AddRow(searchRows, "Most time:", txtSeconds, "seconds");
    for (QLineEdit* box : {txtEvaluations, txtSeconds}) box->setMinimumWidth(box->maximumWidth());
    searchRows->addWidget(chkBoom, searchRows->rowCount(), 0, 1, 4);

    auto* right = new QVBoxLayout;
    right->addWidget(goals);
    right->addWidget(search);
    right->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(grdVariables, 1);
    top->addLayout(right);

    auto* progress = new QHBoxLayout;
    for (QLabel* l : {lblEvaluations, lblScore}) {
        l->setMinimumWidth(
            l->fontMetrics().horizontalAdvance("Score: -00000.00 (start -00000.00)"));
        progress->addWidget(l);
    }
    ProgressBar1->setFixedWidth(160);
    progress->addWidget(ProgressBar1);
    progress->addStretch();

    auto* buttons = new QHBoxLayout;
    lblStatus->setWordWrap(true);
    buttons->addWidget(lblStatus, 1);
    for (QPushButton* b : {cmdRun, cmdStop, cmdAccept, cmdCancel}) buttons->addWidget(b);

    // The chart's curves named as the main window names them.
    auto* legend = new QHBoxLayout;
    legend->addStretch();
    const QColor colours[] = {MainChart::Gain, MainChart::Ratio, MainChart::Swr,
                              MainChart::SwrTwoToOne};
    ratioLegend_ = new QLabel("F/R");
    QLabel* names[] = {new QLabel("Gain"), ratioLegend_, new QLabel("SWR"), new QLabel("SWR: 2:1")};
    for (int i = 0; i < 4; ++i) {
        legend->addWidget(LegendStroke(colours[i]));
        legend->addWidget(names[i]);
        legend->addSpacing(12);
    }
    legend->addStretch();

    TChart1->setMinimumSize(640, 300);
    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addLayout(progress);
    page->addWidget(TChart1, 1);
    page->addLayout(legend);
    page->addLayout(buttons);
}

void frmOptimise::ask(const Analyser& analyser, const EngineRoutines& engine) {
    endSearch();
    engine_ = engine;
    ratio_ = analyser.view().ratio;
    ratioLegend_->setText(ratio_ == Ratio::FrontToBack ? "F/B" : "F/R");
    model_ = std::make_unique<OptimiserModel>(analyser);
    outcome_.reset();
    result_.reset();
    grdVariables->setHorizontalHeaderLabels({"Variable", "Start", "Best",
                                             "Low (" + q(model_->unitName()) + ")",
                                             "High (" + q(model_->unitName()) + ")", "Locked"});
    showing_ = true;
    chkBoom->setChecked(model_->boomHeld());
    (model_->points == GoalPoints::Band ? optBand : optEdges)->setChecked(true);
    (model_->search == Search::Local ? optLocal : optGlobal)->setChecked(true);
    txtEvaluations->setText(q(model_->maxEvaluations));
    txtSeconds->setText(q(model_->seconds));
    showing_ = false;
    showVariables();
    showGoals();
    const common::Result<Problem> judged = model_->problem(); // the goals the window starts with
    const Problem problem = judged ? judged.value() : ProblemOf(analyser);
    band_ = problem.band;
    const Evaluation start = Evaluate(engine_, problem, problem.design);
    model_->showStart(start);
    model_->showStatus(start.solved ? "Set the variables and goals, then Run."
                                    : "This design cannot be judged. " + start.failure);
    showBest(1, problem.design, start);
    ProgressBar1->setValue(0);
    showButtons();
    show();
    raise();
    activateWindow();
}

void frmOptimise::showVariables() {
    showing_ = true;
    const int boom = model_->boomRow();
    grdVariables->setRowCount(model_->variableCount());
    for (int row = 0; row < model_->variableCount(); ++row) {
        const Variable& v = model_->variable(row);
        grdVariables->setItem(row, Name, fixedItem(q(model_->variableName(row))));
        grdVariables->setItem(row, Start, fixedItem(q(model_->shown(v.start))));
        if (!grdVariables->item(row, Best)) grdVariables->setItem(row, Best, fixedItem({}));
        const bool held = row == boom;
        for (int c : {Low, High}) {
            auto* item = new QTableWidgetItem(q(model_->shown(c == Low ? v.low : v.high)));
            if (running() || v.locked) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            grdVariables->setItem(row, c, item);
        }
        auto* lock = fixedItem(held ? "boom" : "");
        lock->setFlags(held || running() ? Qt::ItemIsEnabled
                                         : Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        if (!held) lock->setCheckState(v.locked ? Qt::Checked : Qt::Unchecked);
        grdVariables->setItem(row, Locked, lock);
    }
    grdVariables->resizeRowsToContents();
    showing_ = false;
}

void frmOptimise::showGoals() {
    showing_ = true;
    for (int row = 0; row < 4; ++row) {
        const GoalRow& g = model_->goals()[row];
        chkGoal[row]->setText(GoalCaption(g.kind));
        chkGoal[row]->setChecked(g.used);
        txtWeight[row]->setText(q(g.weight));
        txtTarget[row]->setText(q(g.target));
        txtTarget[row]->setPlaceholderText(g.kind == GoalKind::Gain ? "highest" : "");
        txtTarget[row]->setToolTip(g.kind == GoalKind::Swr ? "At most this SWR at every point"
                                   : g.kind == GoalKind::Resistance
                                       ? "Within 5 % of this resistance at the centre"
                                       : "At least this at every point (empty: as high as "
                                         "it goes)");
        lblValue[row]->setText(q(model_->valueText(g.kind)));
    }
    showing_ = false;
}

void frmOptimise::readBoxes() {
    for (int row = 0; row < 4; ++row) {
        GoalRow& g = model_->goals()[row];
        g.used = chkGoal[row]->isChecked();
        g.weight = common::s(txtWeight[row]->text());
        g.target = common::s(txtTarget[row]->text());
    }
    model_->points = optEdges->isChecked() ? GoalPoints::EdgesAndCentre : GoalPoints::Band;
    model_->search = optGlobal->isChecked() ? Search::Global : Search::Local;
    model_->maxEvaluations = common::s(txtEvaluations->text());
    model_->seconds = common::s(txtSeconds->text());
}

void frmOptimise::showBest(int evaluations, const Antenna& best, const Evaluation& evaluation) {
    model_->showProgress(evaluations, evaluation);
    common::ShowControlTexts(this, OptimiserTextTable, model_->texts());
    ProgressBar1->setValue(evaluations);
    for (int row = 0; row < model_->variableCount(); ++row)
        if (QTableWidgetItem* item = grdVariables->item(row, Best)) {
            showing_ = true;
            item->setText(q(model_->shown(ValueIn(best, model_->variable(row)))));
            showing_ = false;
        }
    for (int row = 0; row < 4; ++row)
        lblValue[row]->setText(q(model_->valueText(model_->goals()[row].kind)));
    if (evaluation.solved) TChart1->showSweep(MakeFrequencyChart(evaluation.sweep, ratio_, band_));
}

void frmOptimise::showButtons() {
    const bool busy = running();
    cmdRun->setEnabled(!busy);
    cmdStop->setEnabled(busy);
    cmdAccept->setEnabled(!busy && outcome_ && outcome_->improved);
    for (QWidget* w : std::initializer_list<QWidget*>{chkBoom, optBand, optEdges, optLocal,
                                                      optGlobal, txtEvaluations, txtSeconds})
        w->setEnabled(!busy);
    for (int row = 0; row < 4; ++row)
        for (QWidget* w :
             std::initializer_list<QWidget*>{chkGoal[row], txtWeight[row], txtTarget[row]})
            w->setEnabled(!busy);
}

void frmOptimise::cmdRun_Click() {
    if (running() || !model_) return;
    readBoxes();
    common::Result<Problem> problem = model_->problem();
    if (!problem) {
        message(problem.message());
        return;
    }
    common::Result<Limits> limits = model_->limits();
    if (!limits) {
        message(limits.message());
        return;
    }
    outcome_.reset();
    result_.reset();
    stop_ = false;
    ProgressBar1->setRange(0, limits.value().maxEvaluations);
    model_->showStart(Evaluate(engine_, problem.value(), problem.value().design)); // these goals
    model_->showStatus("Searching...");
    common::ShowControlTexts(this, OptimiserTextTable, model_->texts());

    // The worker posts the best design so far a few times a second, and always when the
    // search ends; the window thread draws it.
    const Search search = model_->search;
    const double resolution = model_->resolution();
    worker_ = QThread::create([this, p = problem.value(), l = limits.value(), search, resolution] {
        auto posted = std::chrono::steady_clock::now();
        OptimiserProgress progress = [&](const Progress& at) {
            const auto now = std::chrono::steady_clock::now();
            if (now - posted < std::chrono::milliseconds(100)) return;
            posted = now;
            QMetaObject::invokeMethod(
                this,
                [this, n = at.evaluations, best = *at.best, e = *at.bestEvaluation] {
                    if (running()) showBest(n, best, e);
                },
                Qt::QueuedConnection);
        };
        result_ = Optimise(engine_, p, search, l, resolution, progress, &stop_);
    });
    connect(worker_, &QThread::finished, this, &frmOptimise::finished, Qt::QueuedConnection);
    worker_->start();
    showVariables();
    showButtons();
}

void frmOptimise::finished() {
    if (!worker_) return;
    worker_->wait();
    delete worker_;
    worker_ = nullptr;
    if (result_ && *result_) {
        outcome_ = result_->value();
        showBest(outcome_->evaluations, outcome_->best, outcome_->bestEvaluation);
        model_->showStatus(std::string(outcome_->stopped ? "Stopped. " : "Done. ") +
                           (outcome_->improved ? "Accept takes the best design into the antenna."
                                               : "No design better than the start was found."));
    } else if (result_) {
        model_->showStatus(result_->message());
        message(result_->message());
    }
    common::ShowControlTexts(this, OptimiserTextTable, model_->texts());
    showVariables();
    showButtons();
}

void frmOptimise::endSearch() {
    if (!worker_) return;
    stop_ = true;
    worker_->wait();
    finished();
}

void frmOptimise::cmdStop_Click() {
    stop_ = true; // the worker ends after the evaluation in hand; finished() shows the best
    model_->showStatus("Stopping...");
    common::ShowControlTexts(this, OptimiserTextTable, model_->texts());
}

void frmOptimise::cmdAccept_Click() {
    if (running() || !outcome_ || !outcome_->improved) return;
    const Antenna best = outcome_->best;
    hide();
    accept_(best);
}

void frmOptimise::cmdCancel_Click() { close(); }

void frmOptimise::closeEvent(QCloseEvent* event) {
    endSearch(); // Cancel, or the frame: the antenna stays as it was
    event->accept();
}

void frmOptimise::message(const std::string& text) {
    common::desktop().message(this, q(text), Title);
}

} // namespace qelt
