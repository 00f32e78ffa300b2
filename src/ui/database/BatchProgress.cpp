#include "ui/database/BatchProgress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace velmora {

namespace {
// Rows calculated between two repaints of the windows; one row takes well under a millisecond.
constexpr int kRowsPerRepaint = 8;
// A run shorter than this shows no progress window at all.
constexpr int kShowAfterMs = 400;
} // namespace

BatchProgress::BatchProgress(QWidget* parent, const QString& label)
    : parent_(parent), label_(label) {}

BatchProgress::~BatchProgress() = default;

RowProgress BatchProgress::listener() {
    return [this](int row, int lastRow) { step(row, lastRow); };
}

void BatchProgress::step(int row, int lastRow) {
    ++reported_;
    if (!dialog_) {
        // Not modal: a modal progress window would take input from the other windows itself.
        dialog_ = std::make_unique<QProgressDialog>(label_, QString(), 0, lastRow + 1, parent_);
        dialog_->setObjectName("batchProgress");
        dialog_->setWindowTitle(QStringLiteral("Velmora DNV"));
        dialog_->setCancelButton(nullptr);
        dialog_->setMinimumDuration(kShowAfterMs);
        dialog_->setAutoClose(false);
        dialog_->setValue(0);
    }
    if (row % kRowsPerRepaint != 0 && row != lastRow)
        return;
    dialog_->setValue(row);
    // Paint, but take no clicks or keys until the run is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace velmora
