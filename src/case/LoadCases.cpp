#include "case/LoadCases.h"

#include <algorithm>
#include <cstddef>

namespace velmora {

namespace {

// Characters of UTF-8 text: every byte that does not continue a character.
size_t characterCount(std::string_view text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The first `count` characters of UTF-8 text.
std::string firstCharacters(std::string_view text, size_t count) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (chars == count)
                return std::string(text.substr(0, i));
            ++chars;
        }
    }
    return std::string(text);
}

size_t at(int index) {
    return static_cast<size_t>(index);
}

// The index in otherLoadCases of list index `index` (not the selected one).
size_t otherIndex(const DesignCase& dc, int index) {
    return at(index < dc.selectedLoadCase ? index : index - 1);
}

} // namespace

int loadCaseCount(const DesignCase& dc) {
    return static_cast<int>(dc.otherLoadCases.size()) + 1;
}

LoadCase selectedLoadCase(const DesignCase& dc) {
    LoadCase lc;
    lc.name = dc.loadCaseName;
    lc.designFormat = dc.designFormat;
    lc.UF = dc.UF;
    lc.Sigx = dc.Sigx;
    lc.Sigy = dc.Sigy;
    lc.Tau = dc.Tau;
    lc.pd = dc.pd;
    lc.N = dc.N;
    lc.M1a = dc.M1a;
    lc.M1b = dc.M1b;
    lc.M2a = dc.M2a;
    lc.M2b = dc.M2b;
    return lc;
}

LoadCase loadCaseAt(const DesignCase& dc, int index) {
    if (index == dc.selectedLoadCase)
        return selectedLoadCase(dc);
    return dc.otherLoadCases.at(otherIndex(dc, index));
}

std::vector<LoadCase> loadCases(const DesignCase& dc) {
    std::vector<LoadCase> list;
    list.reserve(dc.otherLoadCases.size() + 1);
    for (int i = 0; i < loadCaseCount(dc); ++i)
        list.push_back(loadCaseAt(dc, i));
    return list;
}

std::vector<std::string> loadCaseNames(const DesignCase& dc) {
    std::vector<std::string> names;
    for (int i = 0; i < loadCaseCount(dc); ++i)
        names.push_back(i == dc.selectedLoadCase ? dc.loadCaseName
                                                 : dc.otherLoadCases[otherIndex(dc, i)].name);
    return names;
}

void putLoadCase(DesignCase& dc, const LoadCase& lc) {
    dc.loadCaseName = lc.name;
    dc.designFormat = lc.designFormat;
    dc.UF = lc.UF;
    dc.Sigx = lc.Sigx;
    dc.Sigy = lc.Sigy;
    dc.Tau = lc.Tau;
    dc.pd = lc.pd;
    dc.N = lc.N;
    dc.M1a = lc.M1a;
    dc.M1b = lc.M1b;
    dc.M2a = lc.M2a;
    dc.M2b = lc.M2b;
}

void setLoadCases(DesignCase& dc, const std::vector<LoadCase>& list, int selected) {
    dc.otherLoadCases.clear();
    for (size_t i = 0; i < list.size(); ++i)
        if (i != at(selected))
            dc.otherLoadCases.push_back(list[i]);
    dc.selectedLoadCase = selected;
    putLoadCase(dc, list.at(at(selected)));
}

int findLoadCase(const DesignCase& dc, std::string_view name) {
    const std::vector<std::string> names = loadCaseNames(dc);
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i] == name)
            return static_cast<int>(i);
    return -1;
}

std::string loadCaseNameProblem(const DesignCase& dc, std::string_view name, int except) {
    if (name.empty())
        return "a load case needs a name";
    if (characterCount(name) > static_cast<size_t>(kMaxLoadCaseName))
        return "a load-case name has at most " + std::to_string(kMaxLoadCaseName) + " characters";
    if (name.find_first_of("\r\n") != std::string_view::npos)
        return "a load-case name is one line";
    const int found = findLoadCase(dc, name);
    if (found >= 0 && found != except)
        return "the case has a load case named \"" + std::string(name) + "\" already";
    return "";
}

bool selectLoadCase(DesignCase& dc, int index) {
    if (index < 0 || index >= loadCaseCount(dc))
        return false;
    if (index == dc.selectedLoadCase)
        return true;
    setLoadCases(dc, loadCases(dc), index);
    return true;
}

int addLoadCase(DesignCase& dc) {
    if (loadCaseCount(dc) >= kMaxLoadCases)
        return -1;
    LoadCase lc;
    for (int n = loadCaseCount(dc) + 1;; ++n) {
        lc.name = "LC" + std::to_string(n);
        if (findLoadCase(dc, lc.name) < 0)
            break;
    }
    // The loads of a new case, not zeros: a shell under no load at all stops the run (its
    // usage factors divide by the stresses), and one such load case stops every run of the case.
    lc.designFormat = dc.designFormat;
    lc.UF = dc.UF;
    std::vector<LoadCase> list = loadCases(dc);
    list.push_back(lc);
    const int index = static_cast<int>(list.size()) - 1;
    setLoadCases(dc, list, index);
    return index;
}

int duplicateLoadCase(DesignCase& dc) {
    if (loadCaseCount(dc) >= kMaxLoadCases)
        return -1;
    LoadCase copy = selectedLoadCase(dc);
    for (int n = 2;; ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        const std::string name =
            firstCharacters(dc.loadCaseName,
                            static_cast<size_t>(kMaxLoadCaseName) - characterCount(suffix)) +
            suffix;
        if (findLoadCase(dc, name) < 0) {
            copy.name = name;
            break;
        }
    }
    std::vector<LoadCase> list = loadCases(dc);
    const int index = dc.selectedLoadCase + 1;
    list.insert(list.begin() + index, copy);
    setLoadCases(dc, list, index);
    return index;
}

std::string renameLoadCase(DesignCase& dc, int index, std::string_view name) {
    if (index < 0 || index >= loadCaseCount(dc))
        return "there is no load case " + std::to_string(index + 1);
    std::string problem = loadCaseNameProblem(dc, name, index);
    if (!problem.empty())
        return problem;
    if (index == dc.selectedLoadCase)
        dc.loadCaseName = std::string(name);
    else
        dc.otherLoadCases[otherIndex(dc, index)].name = std::string(name);
    return "";
}

bool deleteLoadCase(DesignCase& dc, int index) {
    const int count = loadCaseCount(dc);
    if (count <= 1 || index < 0 || index >= count)
        return false;
    std::vector<LoadCase> list = loadCases(dc);
    list.erase(list.begin() + index);
    int selected = dc.selectedLoadCase;
    if (index < selected || (index == selected && selected > 0))
        --selected;
    setLoadCases(dc, list, selected);
    return true;
}

std::string restrictLoadCases(DesignCase& dc, const std::vector<std::string>& names) {
    if (names.empty())
        return "";
    std::vector<bool> keep(static_cast<size_t>(loadCaseCount(dc)), false);
    for (const std::string& name : names) {
        const int i = findLoadCase(dc, name);
        if (i < 0)
            return "the case has no load case named \"" + name + "\"";
        keep[at(i)] = true;
    }
    const std::vector<LoadCase> all = loadCases(dc);
    std::vector<LoadCase> kept;
    int selected = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        if (!keep[i])
            continue;
        if (all[i].name == names.front())
            selected = static_cast<int>(kept.size());
        kept.push_back(all[i]);
    }
    setLoadCases(dc, kept, selected);
    return "";
}

void keepSelectedLoadCaseOnly(DesignCase& dc) {
    dc.otherLoadCases.clear();
    dc.selectedLoadCase = 0;
}

} // namespace velmora
