#include "study/StudyInputs.h"

#include "base/NumberText.h"
#include "calc/State.h"
#include "calc/Steps.h"
#include "case/Notifier.h"
#include "case/ProfileKinds.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace velmora {

namespace {

enum class Target { Number, StiffRow, RingRow };

// One input a study can vary: the field it sets and, for a yield strength, the material whose
// box takes the typed value only in the user-defined row.
struct InputDesc {
    std::string_view name;
    Target target = Target::Number;
    float DesignCase::*field = nullptr;
    int16_t DesignCase::*material = nullptr;
};

const std::vector<InputDesc>& inputDescs() {
    using DC = DesignCase;
    static const std::vector<InputDesc> descs = {
        {"t", Target::Number, &DC::t, nullptr},
        {"r", Target::Number, &DC::r, nullptr},
        {"l", Target::Number, &DC::l, nullptr},
        {"L", Target::Number, &DC::L, nullptr},
        {"s", Target::Number, &DC::s, nullptr},
        {"ltStiff", Target::Number, &DC::ltStiff, nullptr},
        {"ltRing", Target::Number, &DC::ltRing, nullptr},
        {"Sigx", Target::Number, &DC::Sigx, nullptr},
        {"Sigy", Target::Number, &DC::Sigy, nullptr},
        {"Tau", Target::Number, &DC::Tau, nullptr},
        {"pd", Target::Number, &DC::pd, nullptr},
        {"N", Target::Number, &DC::N, nullptr},
        {"M1a", Target::Number, &DC::M1a, nullptr},
        {"M1b", Target::Number, &DC::M1b, nullptr},
        {"M2a", Target::Number, &DC::M2a, nullptr},
        {"M2b", Target::Number, &DC::M2b, nullptr},
        {"k1", Target::Number, &DC::k1, nullptr},
        {"k2", Target::Number, &DC::k2, nullptr},
        {"UF", Target::Number, &DC::UF, nullptr},
        {"fyp", Target::Number, &DC::fyp, &DC::plateMaterial},
        {"fys", Target::Number, &DC::fys, &DC::stiffMaterial},
        {"fyr", Target::Number, &DC::fyr, &DC::ringMaterial},
        {"E", Target::Number, &DC::E, nullptr},
        {"stiffRow", Target::StiffRow, nullptr, nullptr},
        {"ringRow", Target::RingRow, nullptr, nullptr},
    };
    return descs;
}

const InputDesc* findInput(std::string_view name) {
    for (const InputDesc& d : inputDescs())
        if (d.name == name)
            return &d;
    return nullptr;
}

std::string allNames() {
    std::string s;
    for (std::string_view n : studyInputNames()) {
        if (!s.empty())
            s += ", ";
        s += n;
    }
    return s;
}

bool readRangeNumber(std::string_view text, double& out) {
    std::string t(text);
    std::replace(t.begin(), t.end(), ',', '.');
    return readInvariant(t, out) && std::isfinite(out);
}

// Number of values FROM + i STEP up to TO. The small allowance takes TO in when rounding leaves
// the last step a hair short of it (0.1:0.3:0.1 has three values).
double valueCount(const StudyRange& r) {
    const double q = (r.to - r.from) / r.step;
    return std::floor(q + 1e-9 * std::max(1.0, q)) + 1;
}

const ProfileRecord& recordOf(const DesignCase& dc, Target target) {
    return target == Target::StiffRow ? dc.stiff : dc.ring;
}

std::string checkRows(const State& st, const InputDesc& desc, const StudyRange& r) {
    const std::string name(desc.name);
    const bool stiffener = desc.target == Target::StiffRow;
    const ProfileRecord& rec = recordOf(st.dc, desc.target);
    const ProfileKindDesc* kind = findProfileKind(rec.kind);
    const char* member = stiffener ? "stiffener" : "ring frame";
    if (!kind || !kind->table)
        return name + ": the " + member + " is " +
               (kind ? std::string(stiffener ? kind->stiffCaption : kind->ringCaption)
                     : "of an unknown kind") +
               ", which takes no table row";
    if (r.from != std::floor(r.from) || r.step != std::floor(r.step))
        return name + ": profile rows are whole numbers; FROM and STEP must be whole (got " +
               formatShortest(r.from) + ":" + formatShortest(r.to) + ":" + formatShortest(r.step) +
               ")";
    const ProfileTable& table = st.profiles.of(*kind->table);
    const int last = table.lastRow();
    if (last < 0)
        return name + ": the " + kind->stiffCaption + " of the " + member + " has no rows";
    const double lastValue = r.from + (valueCount(r) - 1) * r.step;
    if (r.from < 0 || lastValue > last) {
        return name + ": the " + kind->stiffCaption + " of the " + member + " has rows 0 to " +
               std::to_string(last) + "; " + formatShortest(r.from < 0 ? r.from : lastValue) +
               " is outside it";
    }
    return "";
}

} // namespace

const std::vector<std::string_view>& studyInputNames() {
    static const std::vector<std::string_view> names = [] {
        std::vector<std::string_view> n;
        for (const InputDesc& d : inputDescs())
            n.push_back(d.name);
        return n;
    }();
    return names;
}

std::optional<double> studyInputValue(const State& st, std::string_view name) {
    const InputDesc* desc = findInput(name);
    if (!desc)
        return std::nullopt;
    if (desc->target == Target::Number)
        return st.dc.*desc->field;
    const ProfileRecord& rec = recordOf(st.dc, desc->target);
    const ProfileKindDesc* kind = findProfileKind(rec.kind);
    if (!kind || !kind->table)
        return std::nullopt;
    return rec.*tableRowMember(*kind->table);
}

std::string parseStudyRange(std::string_view rangeText, StudyRange& out) {
    const size_t eq = rangeText.find('=');
    const std::string whole(rangeText);
    if (eq == std::string_view::npos || eq == 0)
        return "\"" + whole + "\": give the input as NAME=FROM:TO:STEP";
    StudyRange r;
    r.name = std::string(rangeText.substr(0, eq));
    if (!findInput(r.name))
        return "unknown input \"" + r.name + "\"; the inputs are " + allNames();
    std::string_view rest = rangeText.substr(eq + 1);
    std::string_view parts[3];
    for (int i = 0; i < 3; ++i) {
        const size_t colon = rest.find(':');
        if ((i < 2) != (colon != std::string_view::npos))
            return "\"" + whole + "\": give the range as FROM:TO:STEP";
        parts[i] = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
    }
    double* fields[3] = {&r.from, &r.to, &r.step};
    const char* what[3] = {"FROM", "TO", "STEP"};
    for (int i = 0; i < 3; ++i)
        if (!readRangeNumber(parts[i], *fields[i]))
            return r.name + ": " + what[i] + " \"" + std::string(parts[i]) +
                   "\" is not a finite number";
    out = std::move(r);
    return "";
}

float StudyAxis::value(int64_t i) const {
    return static_cast<float>(range.from + static_cast<double>(i) * range.step);
}

int64_t StudyGrid::size() const {
    int64_t n = axes.empty() ? 0 : 1;
    for (const StudyAxis& a : axes)
        n *= a.count;
    return n;
}

void StudyGrid::values(int64_t index, std::vector<float>& out) const {
    out.resize(axes.size());
    for (size_t k = axes.size(); k-- > 0;) {
        const int64_t n = axes[k].count;
        out[k] = axes[k].value(index % n);
        index /= n;
    }
}

std::vector<float> StudyGrid::values(int64_t index) const {
    std::vector<float> v;
    values(index, v);
    return v;
}

std::string makeStudyGrid(const State& st, const std::vector<StudyRange>& ranges, StudyGrid& out) {
    if (ranges.empty())
        return "nothing to vary: give at least one input with its range";
    StudyGrid grid;
    double total = 1;
    for (const StudyRange& r : ranges) {
        const InputDesc* desc = findInput(r.name);
        if (!desc)
            return "unknown input \"" + r.name + "\"; the inputs are " + allNames();
        for (const StudyAxis& a : grid.axes)
            if (a.range.name == r.name)
                return r.name + " is varied twice";
        if (!std::isfinite(r.from) || !std::isfinite(r.to) || !std::isfinite(r.step))
            return r.name + ": FROM, TO and STEP must be finite numbers";
        if (!(r.step > 0))
            return r.name + ": the step must be greater than 0 (got " + formatShortest(r.step) +
                   ")";
        if (r.from > r.to)
            return r.name + ": FROM " + formatShortest(r.from) + " is greater than TO " +
                   formatShortest(r.to);
        const double count = valueCount(r);
        total *= count;
        if (!(total <= static_cast<double>(kMaxStudyPoints)))
            return "the grid has more than " + std::to_string(kMaxStudyPoints) +
                   " points; take fewer inputs, shorter ranges or larger steps";
        StudyAxis axis;
        axis.range = r;
        axis.count = static_cast<int64_t>(count);
        axis.profileRow = desc->target != Target::Number;
        if (axis.profileRow) {
            std::string error = checkRows(st, *desc, r);
            if (!error.empty())
                return error;
        }
        grid.axes.push_back(std::move(axis));
    }
    out = std::move(grid);
    return "";
}

std::string studyValueText(const State& st, std::string_view name, float value, char sep) {
    std::string text = formatGeneral(value, sep);
    const InputDesc* desc = findInput(name);
    if (!desc || desc->target == Target::Number)
        return text;
    const ProfileKindDesc* kind = findProfileKind(recordOf(st.dc, desc->target).kind);
    if (!kind || !kind->table)
        return text;
    const std::string profile = st.profiles.of(*kind->table).rowText(static_cast<int>(value), sep);
    return profile.empty() ? text : text + " (" + profile + ")";
}

void applyStudyValues(State& st, Notifier& nt, const StudyGrid& grid,
                      const std::vector<float>& values) {
    DesignCase& dc = st.dc;
    bool stiffRow = false;
    bool ringRow = false;
    for (size_t k = 0; k < grid.axes.size() && k < values.size(); ++k) {
        const InputDesc& desc = *findInput(grid.axes[k].range.name);
        const float v = values[k];
        if (desc.target == Target::Number) {
            dc.*desc.field = v;
            if (desc.material)
                dc.*desc.material = static_cast<int16_t>(std::max(0, st.materials.materialCount()));
            continue;
        }
        ProfileRecord& rec = desc.target == Target::StiffRow ? dc.stiff : dc.ring;
        if (const ProfileKindDesc* kind = findProfileKind(rec.kind); kind && kind->table)
            rec.*tableRowMember(*kind->table) = static_cast<int16_t>(v);
        (desc.target == Target::StiffRow ? stiffRow : ringRow) = true;
    }
    // The picker computes a section the run does not compute for this case (a stiffener without
    // stringers, a ring frame without ring frames checked); a fault there is the picker's
    // warning, and the run goes on.
    try {
        if (stiffRow && dc.cylinderType != CylinderType::StringerStiffened)
            computeStiffenerSection(st, nt, dc.stiff.kind);
        if (ringRow && dc.cylinderType != CylinderType::RingStiffened && dc.ringControl != 1)
            computeRingSection(st, nt, dc.ring.kind);
    } catch (const std::exception& e) {
        nt.warn(std::string(" Calculation terminated in the section: ") + e.what() + " ");
    }
}

} // namespace velmora
