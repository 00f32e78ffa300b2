#include "forms/FieldRules.h"

#include "base/Fp.h"
#include "base/NumberText.h"
#include "calc/InputLimits.h"
#include "calc/State.h"

#include <cmath>

namespace velmora {

namespace {

void fail(FieldOutcome& out, const char* warning, bool focusBack = true) {
    out.warning = warning;
    out.focusBack = focusBack;
}

// The limit tests are those of the one table every way into the case is held to.
bool outside(const State& st, LimitId id) {
    return !inputLimit(id).holds(st.dc);
}

void checkRadius(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::rMin))
        fail(out, " cylr >= 50 ");
}

void checkRingDistance(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::lMin))
        fail(out, " l >= 50 ", false);
}

void checkThickness(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::tMin))
        fail(out, " 0.1 <= t ");
}

// The modulus is tested as the box shows it, so 999.6 shown as 1.00E+3 passes.
void checkModulus(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::EMin))
        fail(out, " 1000 <= E-modulus ");
}

void checkPlateYield(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::fyp))
        fail(out, " 50 <= fyp <= 2000 ");
}

void checkStiffenerYield(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::fys))
        fail(out, " 50 <= fys <= 2000 ");
}

void checkRingYield(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::fyr))
        fail(out, " 50 <= fyr <= 2000 ");
}

// s above r is only held at Enter; on leaving the box the warning informs and the focus moves
// on.
void checkSpacing(State& st, FieldOutcome& out, bool atEnter) {
    if (outside(st, LimitId::sMin))
        fail(out, " 10 <= s   ");
    else if (outside(st, LimitId::sAtMostR))
        fail(out, " s  <= r  ", atEnter);
}

void checkStiffenerLt(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::ltStiffMin))
        fail(out, " 50 <= lt ");
}

void checkCylinderLength(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::LMin))
        fail(out, " L >= 50  ");
    else if (outside(st, LimitId::LAtLeastL))
        fail(out, " L >= l  ");
}

void checkColumnLength(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::LMin))
        fail(out, " L >= 50  ");
}

// The ring frame's torsional buckling length is held below pi sqrt(r h) (Ch 3.9) by
// correcting it to the limit less 1, unless that is not positive (a radius or profile height
// still to be mended): then the value stays and the warning says what the limit is.
void checkRingLt(State& st, FieldOutcome& out, bool) {
    DesignCase& dc = st.dc;
    if (outside(st, LimitId::ltRingMin)) {
        fail(out, " 50 <= lt ");
        return;
    }
    if (!outside(st, LimitId::ltRingMax))
        return;
    const double h = static_cast<double>(dc.ring.H) - dc.ring.tf;
    const auto corrected = static_cast<float>(kPi * std::sqrt(static_cast<double>(dc.r) * h) - 1.0);
    if (!(corrected > 0)) {
        fail(out, " lt<=pi*Sqr(r*h), ref ch 3.9 ");
        return;
    }
    fail(out, " lt<=pi*Sqr(r*h), ref ch 3.9. Program corrects the value ");
    dc.ltRing = corrected;
    out.shown = formatNumber(dc.ltRing, "#00", st.decimalSep());
}

void checkK1(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::k1Min))
        fail(out, " k1 >= 0.2  ");
}

void checkK2(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::k2Min))
        fail(out, " k2 >= 0.2  ");
}

void checkUsageFactor(State& st, FieldOutcome& out, bool) {
    if (outside(st, LimitId::UF))
        fail(out, " 0.5 < UF < 1.5 ");
}

using DC = DesignCase;

FieldRule textBox(std::string_view control, std::string_view frame, std::string DC::*field,
                  std::string_view target) {
    FieldRule r;
    r.control = control;
    r.frame = frame;
    r.text = field;
    r.enterTarget = target;
    r.recalc = Recalc::Never;
    return r;
}

FieldRule numberBox(std::string_view control, std::string_view frame, float DC::*field,
                    std::string_view format, std::string_view refreshFormat,
                    std::string_view target, bool checksAtEnter,
                    void (*check)(State&, FieldOutcome&, bool), Recalc recalc) {
    FieldRule r;
    r.control = control;
    r.frame = frame;
    r.number = field;
    r.format = format;
    r.refreshFormat = refreshFormat;
    r.enterTarget = target;
    r.checksAtEnter = checksAtEnter;
    r.check = check;
    r.recalc = recalc;
    return r;
}

std::vector<FieldRule> buildRules() {
    constexpr bool atEnter = true;
    constexpr bool onLeave = false;
    const Recalc always = Recalc::Always;
    std::vector<FieldRule> t;
    t.push_back(textBox("iproj", "fr110", &DC::projectName, "iident"));
    t.push_back(textBox("iident", "fr110", &DC::identification, ""));
    t.push_back(numberBox("iufb", "fr1111", &DC::UF, "#0.00", "#0.00", "icylr", onLeave,
                          checkUsageFactor, Recalc::WhenAccepted));
    t.push_back(
        numberBox("icylr", "fr112", &DC::r, "#00", "#00", "il", onLeave, checkRadius, always));
    t.push_back(numberBox("il", "fr112", &DC::l, "#00", "#00", "it", onLeave, checkRingDistance,
                          Recalc::RefreshThenAlways));
    t.back().recalcAfterMismatch = true;
    t.push_back(
        numberBox("it", "fr112", &DC::t, "#0.0", "#0.0", "ie", onLeave, checkThickness, always));
    t.push_back(numberBox("ie", "fr112", &DC::E, "0.00E+0", "0.00E+0", "cbofyp", onLeave,
                          checkModulus, always));
    t.push_back(
        numberBox("ifyp", "fr112", &DC::fyp, "#00", "#000", "", onLeave, checkPlateYield, always));
    t.push_back(
        numberBox("is1", "fr120", &DC::s, "#00", "#00", "ilt", atEnter, checkSpacing, always));
    t.push_back(numberBox("ilt", "fr120", &DC::ltStiff, "#00", "#00", "cbostiff", atEnter,
                          checkStiffenerLt, always));
    t.push_back(numberBox("ifys", "fr120", &DC::fys, "#00", "#000", "icyll", onLeave,
                          checkStiffenerYield, always));
    t.push_back(numberBox("icyll", "fr121", &DC::L, "#00", "#00", "igilt", atEnter,
                          checkCylinderLength, always));
    t.push_back(numberBox("igilt", "fr121", &DC::ltRing, "#00", "#00", "cboring", onLeave,
                          checkRingLt, always));
    t.push_back(numberBox("ifyg", "fr121", &DC::fyr, "#00", "#000", "isigx", onLeave,
                          checkRingYield, always));
    t.push_back(numberBox("isigx", "fr123", &DC::Sigx, "##0.0", "##0.0", "isigy", atEnter, nullptr,
                          always));
    t.back().recalcAfterMismatch = true;
    t.push_back(
        numberBox("isigy", "fr123", &DC::Sigy, "##0.0", "##0.0", "itau", atEnter, nullptr, always));
    t.push_back(
        numberBox("itau", "fr123", &DC::Tau, "##0.0", "##0.0", "ipp", atEnter, nullptr, always));
    t.push_back(numberBox("ipp", "fr123", &DC::pd, "##0.000", "##0.000", "iproj", atEnter, nullptr,
                          always));
    t.push_back(numberBox("icolL", "fr124", &DC::L, "#00", "#00", "ik1", atEnter, checkColumnLength,
                          Recalc::RefreshThenAlways));
    t.back().twin = "icyll";
    t.push_back(
        numberBox("ik1", "fr124", &DC::k1, "#0.00", "0.00", "ik2", atEnter, checkK1, always));
    t.push_back(
        numberBox("ik2", "fr124", &DC::k2, "#0.00", "0.00", "inn", atEnter, checkK2, always));
    t.push_back(numberBox("inn", "fr124", &DC::N, "#0.0", "#0.0", "ip", atEnter, nullptr, always));
    t.push_back(
        numberBox("ip", "fr124", &DC::pd, "#0.000", "##0.000", "im1a", atEnter, nullptr, always));
    t.push_back(
        numberBox("im1a", "fr124", &DC::M1a, "#0.0", "#0.0", "im1b", atEnter, nullptr, always));
    t.push_back(
        numberBox("im1b", "fr124", &DC::M1b, "#0.0", "#0.0", "im2a", atEnter, nullptr, always));
    t.push_back(
        numberBox("im2a", "fr124", &DC::M2a, "#0.0", "#0.0", "im2b", atEnter, nullptr, always));
    t.push_back(
        numberBox("im2b", "fr124", &DC::M2b, "#0.0", "#0.0", "iproj", atEnter, nullptr, always));
    return t;
}

// Parses, stores and re-formats the value of a number box; false after a bad text.
bool storeNumber(State& st, const FieldRule& rule, std::string_view text, FieldOutcome& out) {
    const ParsedNumber p = parseNumber(text, st.run.decimalPointLocale, st.run.thousandsSep);
    // A text without a number in it is refused in either locale, never taken as 0.
    if (!p.ok || !p.found) {
        out.mismatch = true;
        out.shown = std::string(text);
        out.warning = std::string(kInputMismatch);
        out.focusBack = true;
        return false;
    }
    st.dc.*rule.number = p.value;
    out.stored = true;
    out.shown = formatNumber(p.value, rule.format, st.decimalSep());
    return true;
}

} // namespace

const std::vector<FieldRule>& fieldRules() {
    static const std::vector<FieldRule> rules = buildRules();
    return rules;
}

const FieldRule* findFieldRule(std::string_view control) {
    for (const FieldRule& r : fieldRules())
        if (r.control == control)
            return &r;
    return nullptr;
}

FieldOutcome leaveField(State& st, std::string_view control, std::string_view text) {
    FieldOutcome out;
    const FieldRule* rule = findFieldRule(control);
    if (rule == nullptr) {
        out.known = false;
        return out;
    }
    if (rule->text != nullptr) {
        st.dc.*rule->text = std::string(text);
        out.stored = true;
        out.shown = std::string(text);
        return out;
    }
    if (!storeNumber(st, *rule, text, out)) {
        if (rule->recalcAfterMismatch) {
            out.refresh = rule->recalc == Recalc::RefreshThenAlways;
            out.recalc = true;
        }
        return out;
    }
    if (rule->check != nullptr)
        rule->check(st, out, false);
    switch (rule->recalc) {
    case Recalc::Never:
        break;
    case Recalc::Always:
        out.recalc = true;
        break;
    case Recalc::WhenAccepted:
        out.recalc = out.warning.empty();
        break;
    case Recalc::RefreshThenAlways:
        out.refresh = true;
        out.recalc = true;
        break;
    }
    if (!rule->twin.empty()) {
        out.twin = std::string(rule->twin);
        out.twinText = formatNumber(st.dc.*rule->number, "#00", st.decimalSep());
    }
    return out;
}

FieldOutcome enterInField(State& st, std::string_view control, std::string_view text) {
    FieldOutcome out;
    const FieldRule* rule = findFieldRule(control);
    if (rule == nullptr) {
        out.known = false;
        return out;
    }
    if (rule->text != nullptr) {
        st.dc.*rule->text = std::string(text);
        out.stored = true;
        out.shown = std::string(text);
        out.moveOn = true;
        return out;
    }
    if (!rule->checksAtEnter) {
        out.shown = std::string(text);
        out.moveOn = true;
        return out;
    }
    if (!storeNumber(st, *rule, text, out))
        return out;
    if (rule->check != nullptr)
        rule->check(st, out, true);
    if (!out.warning.empty())
        out.focusBack = true;
    else
        out.moveOn = true;
    return out;
}

std::string refreshText(const State& st, const FieldRule& rule) {
    if (rule.text != nullptr)
        return st.dc.*rule.text;
    return formatNumber(st.dc.*rule.number, rule.refreshFormat, st.decimalSep());
}

std::string enterTarget(std::string_view control,
                        const std::function<bool(std::string_view)>& available) {
    if (control == "iident")
        return available("iufb") ? "iufb" : "icylr";
    if (control == "ifyp") {
        if (available("fr120"))
            return "is1";
        if (available("fr121"))
            return "icyll";
        if (available("fr123"))
            return "isigx";
        return "icolL";
    }
    if (control == "cbofyp")
        return available("ifyp") ? "ifyp" : enterTarget("ifyp", available);
    if (control == "cbostiff")
        return "cbofys";
    if (control == "cbofys")
        return available("ifys") ? "ifys" : "icyll";
    if (control == "cboring")
        return "cbofyg";
    if (control == "cbofyg")
        return available("ifyg") ? "ifyg" : "isigx";
    const FieldRule* rule = findFieldRule(control);
    return rule != nullptr ? std::string(rule->enterTarget) : std::string();
}

bool profilesPopupOnRightClick(const DesignCase& dc) {
    return dc.cylinderType != CylinderType::Unstiffened;
}

} // namespace velmora
