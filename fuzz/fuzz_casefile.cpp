// Feeds arbitrary bytes to the case-file reader and the code-page conversions: a bad file must be
// refused with a message naming a line, a good one must hold valid option codes and must read
// back exactly as it is written again.
#include "base/CodePage.h"
#include "case/DesignCase.h"
#include "files/CaseFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

bool flag(int16_t v) {
    return v == 0 || v == 1;
}
// A named code that stands for one of its enumeration's values.
template <class Code> bool known(Code c) {
    return velmora::codeFromNumber<Code>(velmora::codeNumber(c)).has_value();
}
bool kindCode(int16_t v) {
    return v >= 0 && v < velmora::ProfileKind::Count;
}
bool rows(const velmora::ProfileRecord& p) {
    return p.rowL >= 0 && p.rowT >= 0 && p.rowFlat >= 0 && p.rowBulb >= 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // Code page: every byte string survives the trip to UTF-8 and back; any text converts.
    const std::string utf8 = velmora::cp1252ToUtf8(bytes);
    check(velmora::utf8ToCp1252(utf8) == bytes);
    check(velmora::utf8ToCp1252(bytes).size() <= bytes.size());
    for (const std::string& line : velmora::splitLines(bytes))
        check(line.find('\n') == std::string::npos);

    // Case file.
    const velmora::DesignCase base;
    velmora::DesignCase dc;
    std::string error;
    if (!velmora::parseCaseFile(bytes, base, dc, error)) {
        check(error.rfind("line ", 0) == 0);
        return 0;
    }
    check(dc.fixedFlag == 1);
    check(known(dc.designFormat) && known(dc.cylinderType));
    check(flag(dc.ringControl) && flag(dc.heavyRingControl) && flag(dc.outsideStiffening));
    // The heavy ring-frame check is never on without the ring-frame check.
    check(dc.ringControl == 1 || dc.heavyRingControl == 0);
    check(flag(dc.specialIh) && flag(dc.ringFabrication) && flag(dc.dimMoment));
    check(kindCode(dc.stiff.kind) && kindCode(dc.ring.kind) && rows(dc.stiff) && rows(dc.ring));
    check(dc.plateMaterial >= 0 && dc.stiffMaterial >= 0 && dc.ringMaterial >= 0);

    const std::string text = velmora::caseFileText(dc);
    velmora::DesignCase again;
    check(velmora::parseCaseFile(text, base, again, error));
    check(velmora::caseFileText(again) == text);
    return 0;
}
