// The texts of the four result panels, made from the results the checks returned. Each routine
// writes the rows its check owns and the line count, and leaves the other rows as they were.
#pragma once

#include "case/CaseResults.h"
#include "checks/Checks.h"

#include <string_view>

namespace velmora {

// How a usage factor is written against its permitted value: " <= " where it passes, " > "
// where it exceeds it.
std::string_view comparisonSign(bool exceeds);

// Rows 0..10 of the shell panel.
void fillShellPanel(ResultPanel& p, const ShellResult& r, double SighPd, char sep);

// Rows 0..13 of the stiffener panel.
void fillStiffenerPanel(ResultPanel& p, const StiffenerResult& r, double SighPd, char sep);

// Rows 0..12 of the panel-ring panel; the permitted value is the allowable usage factor UF.
void fillRingPanel(ResultPanel& p, const RingResult& r, double ringArea, float UF, char sep);

// Row 12 of the panel-ring panel: the heavy ring-frame requirement.
void fillHeavyRingRow(ResultPanel& p, const HeavyRingResult& r, char sep);

// Rows 0..14 of the column panel.
void fillColumnPanel(ResultPanel& p, const ColumnResult& r, bool reducedMoment, char sep);

} // namespace velmora
