#include "calc/State.h"

#include "files/DataFiles.h"

namespace velmora {

std::vector<std::string> loadDataFiles(State& st, const std::string& dir) {
    return loadDataFiles(st.materials, st.profiles, dir);
}

const CaseResults* loadCaseResultsOf(const State& st, int index) {
    if (index < 0 || static_cast<size_t>(index) >= st.loadCaseResults.size())
        return nullptr;
    const LoadCaseResult& r = st.loadCaseResults[static_cast<size_t>(index)];
    return r.selected ? &st.res : &r.res;
}

State caseCopy(const State& st) {
    State copy;
    copy.dc = st.dc;
    copy.res = st.res;
    copy.run = st.run;
    copy.materials = st.materials;
    copy.profiles = st.profiles;
    copy.summaryGroups = st.summaryGroups;
    copy.db.rows.clear();
    copy.db.rows.shrink_to_fit();
    return copy;
}

void newCase(State& st) {
    const ProfileRecord oldRing = st.dc.ring;
    st.dc = DesignCase{};
    st.dc.stiff = newStiffenerRecord();
    st.dc.ring = newRingRecord();
    // The ring frame keeps its selected table rows; the stiffener's go back to row 0.
    st.dc.ring.rowL = oldRing.rowL;
    st.dc.ring.rowT = oldRing.rowT;
    st.dc.ring.rowFlat = oldRing.rowFlat;
    st.dc.ring.rowBulb = oldRing.rowBulb;
    resetPanelLabels(st.res);
    st.run.fileName = "New File";
    st.summaryGroups.fill(true);
}

} // namespace velmora
