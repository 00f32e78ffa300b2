#include "ui/ReportPrinter.h"

namespace velmora {

void choosePrinter(QWidget*, const State&) {}

bool writeReportPdf(const State&, const QString&, QString& error) {
    error = "The report is not available yet";
    return false;
}

} // namespace velmora
