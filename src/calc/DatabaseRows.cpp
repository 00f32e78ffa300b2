#include "calc/DatabaseRows.h"

#include "base/Fp.h"
#include "calc/Calc.h"
#include "calc/State.h"
#include "calc/Steps.h"
#include "case/LoadCases.h"
#include "case/Notifier.h"
#include "files/DatabaseFile.h"
#include "sections/Sections.h"

#include <algorithm>
#include <optional>

namespace velmora {

namespace {

// The section of one profile for its designation, computed on the side: the case keeps its
// working dimensions, and a profile the row has no use for raises no warning. Nothing when the
// section cannot be computed; the row then keeps the description the window shows.
template <class Routine>
std::optional<SectionResult> sideSection(const State& st, Routine routine, int16_t kind,
                                         const SectionProps& previous) {
    QuietNotifier quiet;
    try {
        return routine(SectionInputs{st.dc, st.profiles, st.materials, st.decimalSep()}, kind,
                       previous, quiet);
    } catch (const CalcFault&) {
        return std::nullopt;
    }
}

// A bulb flat whose designation names a height and thickness the bulb-flat table does not have
// is calculated with row 0 of the table (the row the reader gives it): the engineer is told
// which section is used instead, where the case uses the profile.
void warnAboutMissingBulbFlat(const State& st, const ProfileEntry& e, Notifier& nt) {
    if (e.kind != ProfileKind::BulbFlat)
        return;
    const ProfileTable& bulb = st.profiles.bulb;
    if (e.bulbRow < 0 || e.bulbRow > bulb.lastRow())
        return; // the section routine warns about a row the table does not have
    const ProfileRow& row = bulb.rows[static_cast<size_t>(e.bulbRow)];
    if (row.H == e.dims[0] && row.tw == e.dims[1])
        return;
    nt.warn(" " + e.designation + " is not in " + tableFileName(TableKind::Bulb) + "; " +
            bulb.rowText(e.bulbRow, st.decimalSep()) + " is used ");
}

void storeRowProfile(const State& st, const ProfileRecord& rec,
                     const std::optional<SectionResult>& section, const std::string& shownText,
                     ProfileEntry& e) {
    storeProfile(section ? section->record : rec, st.profiles,
                 section ? section->profileText : shownText, e);
}

} // namespace

std::string readDatabaseFile(State& st, const std::string& path) {
    return readDatabaseFile(path, st.profiles.bulb, st.run.decimalPointLocale, st.db);
}

std::string writeDatabaseFile(State& st, const std::string& path) {
    std::string error = writeDatabaseFile(st.db, st.decimalSep(), path);
    if (error.empty())
        st.db.modified = false;
    return error;
}

namespace {

// Row `index` as a case row of `dc` (the state's case or one of its load cases) under
// `identification`. The profile sections are those of the state's case.
void storeRow(State& st, const DesignCase& dc, const std::string& identification, int index,
              const std::optional<SectionResult>& stiff, const std::optional<SectionResult>& ring) {
    DatabaseRow& r = st.db.rows[static_cast<size_t>(index)];
    r.isComment = false;
    for (const DatabaseColumn& c : databaseColumns()) {
        if (c.caseText)
            r.*c.text = dc.*c.caseText;
        else if (c.codeFromCase)
            c.codeFromCase(r, dc);
        else if (c.caseNumber)
            r.*c.number = dc.*c.caseNumber;
    }
    r.identification = identification;
    r.listText = identification;
    r.heavyRingControl = dc.heavyRingControl;
    storeRowProfile(st, dc.stiff, stiff, st.res.stiffProfileText, r.stiff);
    storeRowProfile(st, dc.ring, ring, st.res.ringProfileText, r.ring);
}

} // namespace

bool storeCaseInRow(State& st, int index) {
    if (index < 0 || index + 1 >= CaseDatabase::kCapacity)
        return false;
    const DesignCase& dc = st.dc;
    // The designations show the profiles of the current kinds and dimensions, even where the
    // last run had no use for a section (the stiffener of a ring-stiffened cylinder).
    const auto stiff = sideSection(st, stiffenerSection, dc.stiff.kind, st.res.stiffSection);
    const auto ring = sideSection(st, ringSection, dc.ring.kind, st.res.ringSection);
    storeRow(st, dc, dc.identification, index, stiff, ring);
    st.db.rows[static_cast<size_t>(index) + 1] = commentRow("End");
    st.db.lastRow = static_cast<int16_t>(index + 1);
    st.db.modified = true;
    return true;
}

bool storeLoadCasesInRows(State& st, int index) {
    const int count = loadCaseCount(st.dc);
    if (count == 1)
        return storeCaseInRow(st, index);
    if (index < 0 || index + count >= CaseDatabase::kCapacity)
        return false;
    const DesignCase& dc = st.dc;
    const auto stiff = sideSection(st, stiffenerSection, dc.stiff.kind, st.res.stiffSection);
    const auto ring = sideSection(st, ringSection, dc.ring.kind, st.res.ringSection);
    DesignCase one = dc;
    for (int i = 0; i < count; ++i) {
        const LoadCase lc = loadCaseAt(dc, i);
        putLoadCase(one, lc);
        storeRow(st, one, dc.identification + " / " + lc.name, index + i, stiff, ring);
    }
    st.db.rows[static_cast<size_t>(index + count)] = commentRow("End");
    st.db.lastRow = static_cast<int16_t>(index + count);
    return true;
}

int addToDatabaseIndex(const CaseDatabase& db) {
    // The case takes the place of the final marker. A database read from a file that does not
    // end in a marker keeps its last row: the case goes after it.
    const int last = db.lastRow;
    if (last < 0)
        return 0;
    const DatabaseRow& r = db.rows[static_cast<size_t>(last)];
    const bool marker = r.isComment && (r.listText == "End" || r.listText == "END");
    return marker ? last : last + 1;
}

bool addCaseToDatabase(State& st) {
    return storeLoadCasesInRows(st, addToDatabaseIndex(st.db));
}

bool loadRowIntoCase(State& st, Notifier& nt, int index, const CalcOptions& options) {
    if (index < 0 || index >= CaseDatabase::kCapacity)
        return false;
    return loadRowIntoCase(st, nt, st.db.rows[static_cast<size_t>(index)], options);
}

bool loadRowIntoCase(State& st, Notifier& nt, const DatabaseRow& r, const CalcOptions& options) {
    if (r.isComment)
        return false;
    DesignCase& dc = st.dc;
    for (const DatabaseColumn& c : databaseColumns()) {
        if (c.caseText)
            dc.*c.caseText = r.*c.text;
        else if (c.codeToCase)
            c.codeToCase(dc, r);
        else if (c.caseNumber)
            dc.*c.caseNumber = r.*c.number;
    }
    // A row holds one load case: the case's others go.
    keepSelectedLoadCaseOnly(dc);
    dc.loadCaseName = LoadCase{}.name;
    // The heavy ring-frame check builds on the panel-ring check; without it the switch is off,
    // as the option buttons keep it.
    dc.heavyRingControl = r.ringFrameControl == 0 ? int16_t{0} : r.heavyRingControl;

    // The stored yield strengths are used as they stand: all three materials user-defined.
    const int16_t userDefined = static_cast<int16_t>(std::max(0, st.materials.materialCount()));
    dc.plateMaterial = userDefined;
    dc.stiffMaterial = userDefined;
    dc.ringMaterial = userDefined;

    loadProfile(r.stiff, dc.stiff);
    loadProfile(r.ring, dc.ring);
    if (dc.cylinderType == CylinderType::StringerStiffened)
        warnAboutMissingBulbFlat(st, r.stiff, nt);
    if (dc.ringControl == 1 || dc.cylinderType == CylinderType::RingStiffened)
        warnAboutMissingBulbFlat(st, r.ring, nt);
    // Built-up dimensions are current now; a table profile (a bulb flat) takes its dimensions
    // from its table row through the section routine. A profile the case does not use warns
    // no one; one it uses warns in the run below. A section that cannot be computed is left to
    // the run, which meets the same fault and reports it.
    if (isTableKind(dc.stiff.kind) || isTableKind(dc.ring.kind)) {
        QuietNotifier quiet;
        try {
            computeStiffenerSection(st, quiet, dc.stiff.kind);
        } catch (const CalcFault&) {
        }
        try {
            computeRingSection(st, quiet, dc.ring.kind);
        } catch (const CalcFault&) {
        }
    }
    return calcAll(st, nt, options);
}

} // namespace velmora
