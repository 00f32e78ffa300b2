// The results file ("_out.csv") of a calculated database: the inputs of each case in words and
// numbers, then the texts of the four result panels after the case was calculated.
#pragma once

#include <string>

namespace velmora {

struct CaseResults;
struct DatabaseRow;
struct DesignCase;

// The header line from the current panel labels, with the short labels of the results file.
std::string resultsHeaderLine(const CaseResults& res);

// The line of one calculated case row (without its line end). `completed` false: the run
// stopped, and the result cells read "Error" (the panels then still hold another case's
// values).
std::string resultsCaseLine(const DesignCase& dc, const CaseResults& res, const DatabaseRow& row,
                            bool completed, char sep);

// The line of a comment or marker row: its text, line breaks as blanks.
std::string resultsCommentLine(const std::string& text);

} // namespace velmora
