// The progress window of a batch run over the case database, which keeps the windows painted
// during a long run.
#pragma once

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

} // namespace velmora
