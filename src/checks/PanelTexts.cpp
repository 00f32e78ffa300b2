#include "checks/PanelTexts.h"

#include "base/NumberText.h"

#include <string>

namespace velmora {

std::string_view comparisonSign(bool exceeds) {
    return exceeds ? " > " : " <= ";
}

namespace {

// " <= " or " > " and the permitted value, written only where it changed.
void putCompared(std::string& u, const std::string& permitted, bool exceeds) {
    const std::string_view sign = comparisonSign(exceeds);
    if (u.size() != sign.size() + permitted.size() || u.compare(0, sign.size(), sign) != 0 ||
        u.compare(sign.size(), std::string::npos, permitted) != 0) {
        u.assign(sign);
        u += permitted;
    }
}

// A fixed text into a panel string. Most labels and units are the same on every run: they are
// compared first, which is cheaper than writing them again.
void put(std::string& target, std::string_view text) {
    if (target != text)
        target.assign(text);
}

// Writes one row: label, value and unit, into the strings the panel already holds, which keeps
// their storage from run to run.
struct RowWriter {
    ResultPanel& p;
    char sep;

    std::string f(double v, std::string_view pattern) const {
        return formatNumber(v, pattern, sep);
    }
    void operator()(size_t i, std::string_view label, std::string&& value,
                    std::string_view unit) const {
        put(p.label[i], label);
        p.value[i] = std::move(value);
        put(p.unit[i], unit);
    }
    // A usage-factor row: "UF = a/b = " with both operands, the value, and " <= " and the
    // permitted value, or " > " where the usage factor exceeds it.
    void usage(size_t i, std::string_view lead, const std::string& a, const std::string& b,
               std::string&& value, const std::string& permitted, bool exceeds) const {
        std::string& l = p.label[i];
        l.assign(lead);
        l += a;
        l += '/';
        l += b;
        l += " = ";
        p.value[i] = std::move(value);
        putCompared(p.unit[i], permitted, exceeds);
    }
    // A usage-factor row with a fixed label.
    void compared(size_t i, std::string_view label, std::string&& value,
                  const std::string& permitted, bool exceeds) const {
        put(p.label[i], label);
        p.value[i] = std::move(value);
        putCompared(p.unit[i], permitted, exceeds);
    }
};

} // namespace

void fillShellPanel(ResultPanel& p, const ShellResult& r, double SighPd, char sep) {
    const RowWriter row{p, sep};
    p.lineCount = 10;
    row(0, r.title, "", "");
    row(1, "fEa = ", row.f(r.fEa, "0.0"), "  MPa");
    row(2, r.line2Label, row.f(r.line2Value, "0.0"), "  MPa");
    row(3, "fEh = ", row.f(r.fEh, "0.0"), "  MPa");
    row(4, "SighSd = ", row.f(SighPd, "0.0"), "  MPa (only lateral pressure)");
    const std::string SigjSd = row.f(r.SigjSd, "0.0");
    const std::string fksd = row.f(r.fksd, "0.0");
    row(5, "SigjSd = ", std::string(SigjSd), "  MPa ");
    row(6, "lamdas = ", row.f(r.lamdas, "0.00"), " ");
    row(7, "fks = ", row.f(r.fks, "0.0"), "  MPa");
    row(8, "gm = ", row.f(r.factor.gM, "0.00"), " ");
    row(9, "fksd = ", std::string(fksd), "  MPa");
    row.usage(10, "UF = SigjSd/fksd = ", SigjSd, fksd, row.f(r.shellUF, "0.00"),
              row.f(r.factor.UFallow, "0.00"), r.shellUF > r.factor.UFallow);
}

void fillStiffenerPanel(ResultPanel& p, const StiffenerResult& r, double SighPd, char sep) {
    const RowWriter row{p, sep};
    row(0, "Stiffener Buckling: (Ch 3.6.3)", "", "");
    row(1, "se =", row.f(r.se, "0.0"), "  mm");
    row(2, "Isef =", row.f(r.Isef, "0.000E+0"), "  mm4");
    row(3, "fEa =", row.f(r.fEa, "0.0"), "  MPa");
    row(4, "fEtau = ", row.f(r.fEtau, "0.0"), "  MPa");
    row(5, "fEh = ", row.f(r.fEh, "0.0"), "  MPa");
    row(6, "fT = ", row.f(r.fT, "0.0"), "  MPa");
    row(7, "SighSd = ", row.f(SighPd, "0.0"), "  MPa (only lateral pressure)");
    const std::string SigjSd = row.f(r.SigjSd, "0.0");
    const std::string fksd = row.f(r.fksd, "0.0");
    row(8, "SigjSd = ", std::string(SigjSd), "  MPa ");
    row(9, "lamdas = ", row.f(r.lamdas, "0.00"), " ");
    row(10, "fks = ", row.f(r.fks, "0.0"), "  MPa");
    row(11, "gm = ", row.f(r.gM, "0.00"), " ");
    row(12, "fksd = ", std::string(fksd), "  MPa");
    row.usage(13, "UF = SigjSd/fksd = ", SigjSd, fksd, row.f(r.stiffUF, "0.00"),
              row.f(r.stiffUFallow, "0.00"), r.stiffUF > r.stiffUFallow);
    p.lineCount = 13;
}

void fillRingPanel(ResultPanel& p, const RingResult& r, double ringArea, float UF, char sep) {
    const RowWriter row{p, sep};
    const std::string uf = row.f(UF, "0.00");
    const std::string Ie = row.f(r.Ie, "0.000E+0");
    const std::string IR = row.f(r.IR, "0.000E+0");
    row(0, "Panel Ring Buckling: (Ch 3.5.2)", "", "");
    row(1, "Area requirement:", "", "");
    row.usage(2, "UF = Areq/A = ", row.f(r.Areq, "0.000E+0"), row.f(ringArea, "0.000E+0"),
              row.f(r.ringAreaUF, "0.00"), uf, r.ringAreaUF > UF);
    row(3, "Moment of inertia requirement:", "", "");
    row(4, "le =", row.f(r.le, "0.0"), "  mm");
    row(5, "fT = ", row.f(r.fT, "0.0"), "  MPa");
    row(6, "Ix =", row.f(r.Ix, "0.000E+0"), "  mm4  ");
    row(7, "Ixh =", row.f(r.Ixh, "0.000E+0"), "  mm4  ");
    row(8, "Ih =", row.f(r.Ih, "0.000E+0"),
        r.special ? "  mm4 (Special Calc, ref ch 3.5.2.7)"
                  : "  mm4 (General calc, ref ch 3.5.2.6)");
    row(9, "IR =", std::string(IR), "  mm4");
    row(10, "I =", std::string(Ie), "  mm4");
    row.usage(11, "UF = IR/I = ", IR, Ie, row.f(r.ringInertiaUF, "0.00"), uf, r.ringInertiaUF > UF);
    // Under the special calculation of Ih the inertia factor is shown without a permitted value.
    if (r.special)
        p.unit[11].assign(" ");
    row(12, " ", " ", "");
    p.lineCount = 12;
}

void fillHeavyRingRow(ResultPanel& p, const HeavyRingResult& r, char sep) {
    RowWriter{p, sep}(12, "Heavy ringframe Ihr>= ", formatNumber(r.Ihr, "0.000E+0", sep), "  mm4");
}

void fillColumnPanel(ResultPanel& p, const ColumnResult& r, bool reducedMoment, char sep) {
    const RowWriter row{p, sep};
    const std::string allowed = row.f(r.factor.UFallow, "0.00");
    p.lineCount = 14;
    row(0, "Global Buckling: (Ch 3.8)", "", "");
    row(1, "fkcd1 = ", row.f(r.fkcd1, "0.0"), " MPa (Column buckl. axis 1)");
    row(2, "lamda1 = ", row.f(r.lamda1, "0.00"), "");
    row(3, "fkcd2 = ", row.f(r.fkcd2, "0.0"), " MPa (Column buckl. axis 2)");
    row(4, "lamda2 = ", row.f(r.lamda2, "0.00"), "");
    row(5, "fakd = ", row.f(r.fakd, "0.0"), " MPa (local buckling)");
    row(6, "fE1 = ", row.f(r.fE1, "0.0"), " MPa (Euler buckling axis 1)");
    row(7, "fE2 = ", row.f(r.fE2, "0.0"), " MPa (Euler buckling axis 2)");
    row(8, "gm = ", row.f(r.factor.gM, "0.00"), " ");
    row(9, "Siga0Sd = ", row.f(r.shell.Siga0Sd, "0.0"), " MPa");
    row(10, "M1Sd/M2Sd = ", row.f(r.M1Sd, "0.0") + '/' + row.f(r.M2Sd, "0.0"),
        reducedMoment ? " kNm (Reduced value)" : " kNm (Max value)");
    row(11, "Sigm1Sd = ", row.f(r.Sigm1Sd, "0.0"), " MPa");
    row(12, "Sigm2Sd = ", row.f(r.Sigm2Sd, "0.0"), " MPa  ");
    row.compared(13, "UF1 = ", row.f(r.UF1, "0.00"), allowed, r.UF1 > r.factor.UFallow);
    row.compared(14, "UF2 =  ", row.f(r.UF2, "0.00"), allowed, r.UF2 > r.factor.UFallow);
}

} // namespace velmora
