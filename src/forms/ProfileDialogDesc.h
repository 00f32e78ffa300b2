// The twenty profile dialogs as data: for each of the eight table pickers and the twelve
// built-up dialogs its name, caption, member (stiffener or ring frame), profile kind, boxes with
// their Enter order, formats, limits, warnings and corrections, the labels it shows, and what
// its OK button and its closing do. The window builds every dialog from one entry, and the
// behaviour that does not need a window (storing a typed dimension, checking it, the texts of
// the labels, the list of table rows) lives here so that it can be tested on a bare state.
#pragma once

#include "case/CaseResults.h"
#include "forms/FieldRules.h"
#include "sections/ProfileTables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct State;
struct DesignCase;
struct ProfileRecord;
struct BuiltUpDims;

enum class ProfileMember { Stiffener, Ring };

// A dimension of a built-up profile, as kept in its saved set. The plate thickness t of the
// flat bar, RHS and trapezoid is held in tw.

// A lower limit of a dimension and the warning that names it.
struct DimensionLimit {
    float minimum = 0;
    const char* warning = "";
};

// One text box of a built-up dialog.
struct DimensionBox {
    const char* name = "";  // "isth", "istb", "ista", "isttw", "isttf"
    const char* label = ""; // "H =", ...
    Dim dim = Dim::H;
    const char* format = "";          // shown with this pattern after every change
    const char* okFormat = "";        // re-shown with this pattern by a re-checking OK button
    DimensionLimit leave;             // checked when the box is left
    bool leaveCorrects = false;       // a value below the limit is raised to it (else kept)
    std::optional<DimensionLimit> ok; // checked by a re-checking OK button
    bool checkedOnClose = false;      // re-read and re-checked when the dialog closes
};

// What the OK button does besides closing the dialog.
enum class OkAction {
    Close,               // closes only
    CloseAndRecalculate, // closes, then recalculates
    RecheckAndClose,     // re-reads and checks every box, closes, recalculates
};

// A value the summary shows in a label.
enum class Quantity { H, B, tw, tf, c, r, A, g, Iy, Iz };

struct SummaryLabel {
    const char* name = "";    // "sth", "sta", ...
    const char* caption = ""; // "H =", "Ax =", ...
    Quantity quantity = Quantity::H;
    const char* format = "";
    const char* unit = "";
};

// The proportion-check texts of the section routines.
enum class CheckText { Web, Flange, RingWeb, RingSlenderness, RingFlange, RingEccentricity };

struct CheckLabel {
    const char* name = ""; // "webclass", "flangeclass", "webclass1", ...
    CheckText text = CheckText::Web;
};

struct ProfileDialogDesc {
    const char* name = "";
    const char* caption = "";
    ProfileMember member = ProfileMember::Stiffener;
    int16_t kind = 0;
    ProfileSketch sketch = ProfileSketch::None;
    std::optional<TableKind> table;       // pickers: the table listed in `cbo`
    bool recomputeSectionOnRow = false;   // the section is recomputed before the run
    const char* profileFrameCaption = ""; // caption of Frame3 (pickers)
    std::vector<DimensionBox> boxes;      // built-up dialogs, in Enter order (cyclic)
    std::vector<SummaryLabel> labels;     // property labels
    std::vector<CheckLabel> checks;       // proportion-check labels in "Local buckling"
    OkAction ok = OkAction::CloseAndRecalculate;

    bool isPicker() const { return table.has_value(); }
    const DimensionBox* box(std::string_view boxName) const;
    // The box that Enter in `boxName` moves the focus to.
    const DimensionBox* nextBox(std::string_view boxName) const;
};

// All twenty dialogs: the eight pickers, then the twelve built-up dialogs.
const std::vector<ProfileDialogDesc>& profileDialogDescs();
const ProfileDialogDesc* findProfileDialog(std::string_view name);
// The dialog that shows `kind` for the member (nullptr for a kind outside 0..9).
const ProfileDialogDesc* profileDialogFor(ProfileMember member, int kind);

ProfileRecord& memberRecord(DesignCase& dc, ProfileMember member);
const ProfileRecord& memberRecord(const DesignCase& dc, ProfileMember member);
// The stored table row that a picker edits.

// The caption of the kind in the member's profile list (cbostiff or cboring).
const char* kindCaption(ProfileMember member, int kind);

// True when a calculation run of the case computes the member's section itself: the stiffener
// for a stringer-stiffened cylinder, the ring frame for a ring-stiffened cylinder or whenever
// the panel ring check runs.
bool runComputesSection(const DesignCase& dc, ProfileMember member);

// The member's profile kind becomes the dialog's kind: the engineer chose the dialog's profile
// (a row of a picker, a dimension or OK of a built-up dialog). Opening a dialog changes nothing.
void activateKind(State& st, const ProfileDialogDesc& desc);

// What a dialog shows without changing the case: a copy of the state whose member takes the
// dialog's kind (a picker's table row `row`; without a row the member's own row) with that
// section computed, quietly. Nothing when the section cannot be computed.
std::optional<State> profilePreview(const State& st, const ProfileDialogDesc& desc,
                                    std::optional<int> row = std::nullopt);

// The designation of the member's current profile ("L 200x90x9.0x12.0"); empty when its section
// cannot be computed.
std::string currentDesignation(const State& st, ProfileMember member);

// Pickers: the first row of the table whose designation equals the member's current profile,
// whatever its kind (a built-up L of a table row's dimensions finds that row); nothing when none
// does.
std::optional<int> rowMatchingProfile(const State& st, const ProfileDialogDesc& desc);

// Text of a box (saved set of the dialog's kind) with its display pattern.
std::string boxText(const State& st, const ProfileDialogDesc& desc, const DimensionBox& box,
                    bool okPattern = false);

// Texts of every label and box that the summary fills, by object name.
struct LabelText {
    std::string name;
    std::string text;
};
std::vector<LabelText> profileSummary(const State& st, const ProfileDialogDesc& desc);

// Reads a typed dimension into the saved set. False when the text is not a number; the saved
// value is then unchanged.
bool storeBox(State& st, const ProfileDialogDesc& desc, const DimensionBox& box,
              std::string_view text);

// The outcome of leaving a box: whether the text was a number, and the warning of a failed
// check (the saved value is then corrected where the box corrects).
struct BoxOutcome {
    bool parsed = true;
    std::optional<std::string> warning;
};
BoxOutcome leaveBox(State& st, const ProfileDialogDesc& desc, const DimensionBox& box,
                    std::string_view text);

// Warnings of the re-checking OK button for the stored values, in box order; nothing is
// corrected.
std::vector<std::string> okWarnings(const State& st, const ProfileDialogDesc& desc);
// Warnings of the closing re-check for the stored values, in box order.
std::vector<std::string> closingWarnings(const State& st, const ProfileDialogDesc& desc);

// Pickers: the row texts of the table in file order and the row to highlight (nothing when the
// stored row is not in the table).
std::vector<std::string> tableListTexts(const State& st, const ProfileDialogDesc& desc);
std::optional<int> selectedTableRow(const State& st, const ProfileDialogDesc& desc);
// A row chosen in the list is stored in the member's row field; false for a row the table does
// not have (nothing changes then).
bool chooseTableRow(State& st, const ProfileDialogDesc& desc, int row);

} // namespace velmora
