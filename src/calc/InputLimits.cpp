#include "calc/InputLimits.h"

#include "base/Fp.h"
#include "base/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace velmora {

namespace {

bool yieldInRange(float fy) {
    return !(fy < 50 || fy > 2000);
}

// The modulus as its box shows it, three significant digits: 999.6 shows as 1.00E+3 and is
// taken as 1000.
bool modulusAtLeast1000(const DesignCase& dc) {
    if (dc.E >= 1000)
        return true;
    const std::string shown = formatNumber(dc.E, "0.00E+0", '.');
    double value = 0;
    const auto r = std::from_chars(shown.data(), shown.data() + shown.size(), value);
    return r.ec == std::errc() && value >= 1000;
}

double radius(const DesignCase& dc) {
    return dc.r;
}

double ringDistance(const DesignCase& dc) {
    return dc.l;
}

double ringLtLimit(const DesignCase& dc) {
    return ringTorsionalLengthLimit(dc);
}

using DC = DesignCase;
using U = InputUse;
using L = LimitId;

// In the order of the window's boxes, with the boxes' own tests (the window's field rules take
// them from here).
const std::array<InputLimit, 17> kLimits = {{
    {L::UF, "UF", &DC::UF, U::Always, [](const DC& dc) { return !(dc.UF < 0.5 || dc.UF > 1.5); },
     "0.5 <= UF <= 1.5"},
    {L::rMin, "r", &DC::r, U::Always, [](const DC& dc) { return !(dc.r < 50); }, "r >= 50"},
    {L::lMin, "l", &DC::l, U::Always, [](const DC& dc) { return !(dc.l < 50); }, "l >= 50"},
    {L::tMin, "t", &DC::t, U::Always, [](const DC& dc) { return !(dc.t < 0.1); }, "t >= 0.1"},
    {L::EMin, "E", &DC::E, U::Always, modulusAtLeast1000, "E >= 1000"},
    {L::fyp, "fyp", &DC::fyp, U::Always, [](const DC& dc) { return yieldInRange(dc.fyp); },
     "50 <= fyp <= 2000"},
    {L::sMin, "s", &DC::s, U::Stringer, [](const DC& dc) { return !(dc.s < 10); }, "s >= 10"},
    {L::sAtMostR, "s", &DC::s, U::Stringer, [](const DC& dc) { return !(dc.s > dc.r); }, "s <= r",
     radius, "r"},
    {L::ltStiffMin, "ltStiff", &DC::ltStiff, U::Stringer,
     [](const DC& dc) { return !(dc.ltStiff < 50); }, "ltStiff >= 50"},
    {L::fys, "fys", &DC::fys, U::Stringer, [](const DC& dc) { return yieldInRange(dc.fys); },
     "50 <= fys <= 2000"},
    {L::LMin, "L", &DC::L, U::RingFrameOrColumn, [](const DC& dc) { return !(dc.L < 50); },
     "L >= 50"},
    {L::LAtLeastL, "L", &DC::L, U::RingFrame, [](const DC& dc) { return !(dc.L < dc.l); }, "L >= l",
     ringDistance, "l"},
    {L::ltRingMin, "ltRing", &DC::ltRing, U::RingFrame,
     [](const DC& dc) { return !(dc.ltRing < 50); }, "ltRing >= 50"},
    // A limit that cannot be formed (r h negative) is left to the run, which stops on it.
    {L::ltRingMax, "ltRing", &DC::ltRing, U::RingFrame,
     [](const DC& dc) { return !(ringTorsionalLengthLimit(dc) < dc.ltRing); },
     "ltRing <= pi sqrt(r h) (Ch 3.9)", ringLtLimit, "pi sqrt(r h)"},
    {L::fyr, "fyr", &DC::fyr, U::RingFrame, [](const DC& dc) { return yieldInRange(dc.fyr); },
     "50 <= fyr <= 2000"},
    {L::k1Min, "k1", &DC::k1, U::Column, [](const DC& dc) { return !(dc.k1 < 0.2); }, "k1 >= 0.2"},
    {L::k2Min, "k2", &DC::k2, U::Column, [](const DC& dc) { return !(dc.k2 < 0.2f); }, "k2 >= 0.2"},
}};

// Calls `f` with the first failing limit of each field the case uses; stops when f says so.
template <class F> void forEachViolation(const DesignCase& dc, F&& f) {
    float DesignCase::*last = nullptr;
    for (const InputLimit& limit : kLimits) {
        // A field's later limits are skipped once one of its limits failed.
        if (limit.value == last || !inputUsed(limit.use, dc) || limit.holds(dc))
            continue;
        last = limit.value;
        if (!f(limit))
            return;
    }
}

} // namespace

float ringTorsionalLengthLimit(const DesignCase& dc) {
    const double h = static_cast<double>(dc.ring.H) - dc.ring.tf;
    const double rh = static_cast<double>(dc.r) * h;
    if (rh < 0)
        return std::numeric_limits<float>::quiet_NaN();
    return static_cast<float>(kPi * std::sqrt(rh));
}

bool inputUsed(InputUse use, const DesignCase& dc) {
    const CylinderType type = dc.cylinderType;
    const bool ringFrame = dc.ringControl == 1 && (type == CylinderType::RingStiffened ||
                                                   type == CylinderType::StringerStiffened);
    switch (use) {
    case InputUse::Always:
        return true;
    case InputUse::Stringer:
        return type == CylinderType::StringerStiffened;
    case InputUse::RingFrame:
        return ringFrame;
    case InputUse::Column:
        return type == CylinderType::Column;
    case InputUse::RingFrameOrColumn:
        return ringFrame || type == CylinderType::Column;
    }
    return true;
}

std::span<const InputLimit> inputLimits() {
    return kLimits;
}

const InputLimit& inputLimit(LimitId id) {
    return kLimits[static_cast<size_t>(id)];
}

std::vector<InputViolation> inputViolations(const DesignCase& dc) {
    std::vector<InputViolation> out;
    forEachViolation(dc, [&](const InputLimit& limit) {
        InputViolation v{&limit, dc.*limit.value};
        if (limit.bound)
            v.bound = limit.bound(dc);
        out.push_back(v);
        return true;
    });
    return out;
}

bool inputsWithinLimits(const DesignCase& dc) {
    bool within = true;
    forEachViolation(dc, [&](const InputLimit&) { return within = false; });
    return within;
}

bool inputsWithinLimitsOtherThan(const DesignCase& dc, LimitId skipped) {
    for (const InputLimit& limit : kLimits)
        if (limit.id != skipped && inputUsed(limit.use, dc) && !limit.holds(dc))
            return false;
    return true;
}

std::string violationText(const InputViolation& v, char sep) {
    std::string text = std::string(v.limit->field) + " = " + formatGeneral(v.value, sep) +
                       ", limit " + v.limit->text;
    if (v.limit->boundText != nullptr && std::isfinite(v.bound))
        text += std::string(", ") + v.limit->boundText + " = " +
                formatGeneral(static_cast<float>(v.bound), sep);
    return text;
}

std::vector<std::string> violationTexts(const DesignCase& dc, char sep) {
    std::vector<std::string> out;
    for (const InputViolation& v : inputViolations(dc))
        out.push_back(violationText(v, sep));
    return out;
}

} // namespace velmora
