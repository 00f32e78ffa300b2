// The one-page report of the current case, laid out on a drawing surface that stands for the
// printable area of the page: a ruled header, the design condition and materials, the geometry
// with the cylinder sketch, the loading, the profiles with their sketches and section data, and
// the result panels in their report form.
#pragma once

#include <array>
#include <string>

namespace velmora {

class Surface;
struct State;

// When the page is printed: the date as the system writes it in short form, hour and minute.
struct ReportStamp {
    std::string date;
    int hour = 0;
    int minute = 0;
};

// Characters per line and lines per page of the printable area for the fonts 11, 10, 9 and 8 pt,
// measured on the surface.
struct ReportMetrics {
    std::array<int, 4> charsPerLine{};
    std::array<int, 4> linesPerPage{};
};
ReportMetrics measureReport(Surface& s);

// Body scale and its columns.
inline constexpr double kBodyWidth = 136;
inline constexpr double kBodyHeight = 88;
inline constexpr double kC0 = 13.6; // labels
inline constexpr double kC3 = 45.6; // symbols
inline constexpr double kC4 = 51.6; // "="
inline constexpr double kC5 = 63.6; // right edge of values

// A case with several load cases lists them in a table on the first page, at most this many;
// the others continue on a second page. A case with one load case has no table.
inline constexpr int kLoadCasesOnFirstPage = 8;

// The pages of the report: 1, or 2 when the load cases do not all fit on the first page.
int reportPageCount(const State& st);

// Draws page `page` (0-based) of the report. The surface's scale is set as the layout needs; the
// caller supplies a surface whose area is the printable area of one page.
void printReport(Surface& s, const State& st, const ReportStamp& stamp, int page = 0);

// The "Profile data:" block of the stiffener (ring = false) or the ring frame, right of its
// sketch, from `row` (the block's top) at the block offset. Returns the row after the block.
double printProfileBlock(Surface& s, const State& st, bool ring, double offset, double row);

// Characters `first` to `last` (1-based, counted as characters, not bytes) of a UTF-8 text.
std::string characters(const std::string& text, size_t first, size_t last);

// Lower case of a UTF-8 text (ASCII and the Latin-1 letters).
std::string lowerCase(const std::string& text);

} // namespace velmora
