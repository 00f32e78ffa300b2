// The load cases of a design case: list, select, add, duplicate, rename and delete. A case has
// 1 to kMaxLoadCases load cases with unique names of at most kMaxLoadCaseName characters; the
// selected one is the one the flat load fields of DesignCase hold.
#pragma once

#include "case/DesignCase.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

inline constexpr int kMaxLoadCases = 30;
inline constexpr int kMaxLoadCaseName = 30;

// How many load cases the case has (at least 1).
int loadCaseCount(const DesignCase& dc);

// Every load case in list order, the selected one at dc.selectedLoadCase.
std::vector<LoadCase> loadCases(const DesignCase& dc);
// Load case `index` of the list (the selected one from the flat fields).
LoadCase loadCaseAt(const DesignCase& dc, int index);
// The selected load case as the flat fields hold it.
LoadCase selectedLoadCase(const DesignCase& dc);
// The names in list order.
std::vector<std::string> loadCaseNames(const DesignCase& dc);

// Puts `lc` into the flat fields (the loads the checks read) and loadCaseName; the list of the
// others is not touched.
void putLoadCase(DesignCase& dc, const LoadCase& lc);

// Replaces every load case of the case by `list` (1 to kMaxLoadCases, not checked here) and
// selects list[selected].
void setLoadCases(DesignCase& dc, const std::vector<LoadCase>& list, int selected);

// The index of the load case named `name`, or -1.
int findLoadCase(const DesignCase& dc, std::string_view name);

// Why `name` cannot name a load case of the case, or "" when it can: empty, longer than
// kMaxLoadCaseName characters, a line break, or the name of another load case (`except` is the
// index of the one being renamed, -1 for a new one).
std::string loadCaseNameProblem(const DesignCase& dc, std::string_view name, int except = -1);

// Makes load case `index` the selected one; false (nothing changed) for an index outside the
// list.
bool selectLoadCase(DesignCase& dc, int index);

// Adds a load case after the last one, named "LC" and the first free number, with the
// selected one's design format and usage factor and no loads, and selects it. Returns its
// index, or -1 when the case has kMaxLoadCases already.
int addLoadCase(DesignCase& dc);

// Adds a copy of the selected load case after it, named as it with " (2)", " (3)", ... (cut
// to fit), and selects the copy. Returns its index, or -1 when the case is full.
int duplicateLoadCase(DesignCase& dc);

// Renames load case `index`; returns "" or why the name was refused (nothing changed).
std::string renameLoadCase(DesignCase& dc, int index, std::string_view name);

// Deletes load case `index`; never the last one (false, nothing changed). The selection stays
// on the same load case, or moves to the one before the deleted selected one.
bool deleteLoadCase(DesignCase& dc, int index);

// Keeps only the load cases named in `names` (in list order) and selects the first one named;
// returns "" or the unknown name's message (nothing changed). An empty list keeps them all.
std::string restrictLoadCases(DesignCase& dc, const std::vector<std::string>& names);

// The case with one load case: the selected one, named as it is.
void keepSelectedLoadCaseOnly(DesignCase& dc);

} // namespace velmora
