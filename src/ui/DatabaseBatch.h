// What the database windows need around a batch run over the case database: a progress window
// that keeps the window painted during a long run, and the case in the main window kept aside
// while the rows are calculated through it.
#pragma once

#include "calc/State.h"
#include "case/CaseResults.h"
#include "case/DesignCase.h"
#include "database/Batch.h"

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace velmora {

// A progress window for a run over rows 0..lastRow. It appears only when the run takes longer
// than a moment; while it runs, the window is repainted every few rows but no input is taken, so
// the database cannot change under the run.
class BatchProgress {
public:
    BatchProgress(QWidget* parent, const QString& label);
    ~BatchProgress();
    BatchProgress(const BatchProgress&) = delete;
    BatchProgress& operator=(const BatchProgress&) = delete;

    // The listener to hand to the batch run.
    RowProgress listener();
    // Rows reported so far (for the tests).
    int reported() const { return reported_; }

private:
    void step(int row, int lastRow);

    QWidget* parent_;
    QString label_;
    std::unique_ptr<QProgressDialog> dialog_;
    int reported_ = 0;
};

// The case of the main window with its results, put back when the keeper goes out of scope. A
// batch run calculates every row by making it the current case; without this the window would
// go on showing one case while another was current, and the engineer's own case would be lost.
class KeptCase {
public:
    explicit KeptCase(State& st)
        : st_(st), dc_(st.dc), res_(st.res), calcMessage_(st.run.calcMessage),
          completed_(st.run.lastRunCompleted) {}
    ~KeptCase() {
        st_.dc = dc_;
        st_.res = res_;
        st_.run.calcMessage = calcMessage_;
        st_.run.lastRunCompleted = completed_;
    }
    KeptCase(const KeptCase&) = delete;
    KeptCase& operator=(const KeptCase&) = delete;

private:
    State& st_;
    DesignCase dc_;
    CaseResults res_;
    std::string calcMessage_;
    bool completed_;
};

// One message naming every row whose calculation stopped, or "" when every row was calculated.
QString stoppedRowsText(const std::vector<RowMessage>& stopped);

} // namespace velmora
