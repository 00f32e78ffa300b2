#include "ui/study/StudyLabels.h"

#include "base/NumberText.h"
#include "study/StudyInputs.h"

#include <array>

namespace velmora {

namespace {

struct InputLabel {
    std::string_view name;
    const char* meaning;
    const char* unit;
};

constexpr std::array<InputLabel, 25> kInputs = {{
    {"t", "wall thickness", "mm"},
    {"r", "cylinder radius", "mm"},
    {"l", "ring-frame spacing", "mm"},
    {"L", "cylinder length", "mm"},
    {"s", "stiffener spacing", "mm"},
    {"ltStiff", "stiffener torsional buckling length", "mm"},
    {"ltRing", "ring-frame torsional buckling length", "mm"},
    {"Sigx", "axial stress", "MPa"},
    {"Sigy", "hoop stress", "MPa"},
    {"Tau", "shear stress", "MPa"},
    {"pd", "lateral pressure", "MPa"},
    {"N", "axial force", "kN"},
    {"M1a", "end moment", "kNm"},
    {"M1b", "end moment", "kNm"},
    {"M2a", "end moment", "kNm"},
    {"M2b", "end moment", "kNm"},
    {"k1", "buckling length factor", ""},
    {"k2", "buckling length factor", ""},
    {"UF", "allowable usage factor", ""},
    {"fyp", "plate yield strength", "MPa"},
    {"fys", "stiffener yield strength", "MPa"},
    {"fyr", "ring-frame yield strength", "MPa"},
    {"E", "Young's modulus", "MPa"},
    {"stiffRow", "stiffener table row", ""},
    {"ringRow", "ring-frame table row", ""},
}};

const InputLabel* findLabel(std::string_view name) {
    for (const InputLabel& l : kInputs)
        if (l.name == name)
            return &l;
    return nullptr;
}

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

QString studyInputUnit(std::string_view name) {
    const InputLabel* l = findLabel(name);
    return l != nullptr ? QString::fromLatin1(l->unit) : QString();
}

QString studyInputTitle(std::string_view name) {
    const InputLabel* l = findLabel(name);
    if (l == nullptr)
        return q(name);
    QString title = q(name) + QStringLiteral(", ") + QString::fromLatin1(l->meaning);
    if (*l->unit != '\0')
        title += QStringLiteral(" (%1)").arg(QString::fromLatin1(l->unit));
    return title;
}

QString studyInputHeading(std::string_view name) {
    const QString unit = studyInputUnit(name);
    return unit.isEmpty() ? q(name) : QStringLiteral("%1 (%2)").arg(q(name), unit);
}

QString studyCheckTitle(StudyCheck check) {
    static constexpr std::array<const char*, kStudyCheckCount> kTitles = {
        "Shell buckling",   "Shell as unstiffened cylinder", "Stiffener buckling",
        "Ring frame, area", "Ring frame, inertia",           "Column, UF1",
        "Column, UF2"};
    return QStringLiteral("%1 (%2)").arg(QString::fromLatin1(kTitles[static_cast<size_t>(check)]),
                                         QString::fromLatin1(studyCheckName(check)));
}

QString studyFailureReason(const std::string& failure) {
    if (failure == "proportions")
        return QStringLiteral("a proportion check fails");
    if (failure == "stopped")
        return QStringLiteral("the calculation stops");
    for (int c = 0; c < kStudyCheckCount; ++c)
        if (failure == studyCheckName(static_cast<StudyCheck>(c)))
            return studyCheckTitle(static_cast<StudyCheck>(c)) +
                   QStringLiteral(" exceeds its permitted value");
    return QString::fromStdString(failure);
}

QString studyValueText(float value, char sep) {
    return QString::fromStdString(formatGeneral(value, sep));
}

QString studyInputsText(const State& st, const StudyGrid& grid, const std::vector<float>& values) {
    QString out;
    for (size_t k = 0; k < grid.axes.size() && k < values.size(); ++k) {
        if (!out.isEmpty())
            out += QStringLiteral(", ");
        const std::string& name = grid.axes[k].range.name;
        out += q(name) + QStringLiteral(" = ") +
               QString::fromStdString(studyValueText(st, name, values[k], st.decimalSep()));
        const QString unit = studyInputUnit(name);
        if (!unit.isEmpty())
            out += QLatin1Char(' ') + unit;
    }
    return out;
}

} // namespace velmora
