#include "calc/CommandLine.h"

#include "base/NumberText.h"
#include "calc/State.h"
#include "files/DataFiles.h"

#include <clocale>

namespace velmora {

bool localeUsesDecimalPoint() {
    std::setlocale(LC_NUMERIC, "");
    const char* sep = std::localeconv()->decimal_point;
    const char c = (sep && sep[0]) ? sep[0] : '.';
    std::setlocale(LC_NUMERIC, "C");
    return detectDecimalSeparator(c);
}

std::vector<std::string> prepareCommandLineState(State& st, const std::string& dataDir) {
    st.run.decimalPointLocale = localeUsesDecimalPoint();
    const std::string dir = dataDir.empty() ? findDataDir(executableDir()) : dataDir;
    st.run.currentDir = dir;
    newCase(st);
    return loadDataFiles(st, dir);
}

} // namespace velmora
