// Feeds arbitrary bytes to the database-file reader: a bad file must be refused with a message
// naming the file and a line, a good one must hold valid codes within the capacity, and what it
// writes back must read as the same file again.
#include "files/DatabaseFile.h"
#include "sections/ProfileTables.h"

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

velmora::ProfileTable bulbTable() {
    velmora::ProfileTable t;
    t.kind = velmora::TableKind::Bulb;
    t.rows = {{200, 0, 10, 0, 28, 8, 2886}, {220, 0, 10, 0, 31, 9, 3286}};
    return t;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const velmora::ProfileTable bulb = bulbTable();
    for (bool pointLocale : {true, false}) {
        velmora::CaseDatabase db;
        std::string error;
        if (!velmora::parseDatabaseText(bytes, "f_in.csv", bulb, pointLocale, db, error)) {
            check(error.rfind("f_in.csv, line ", 0) == 0);
            continue;
        }
        check(db.lastRow >= -1 && db.lastRow < velmora::CaseDatabase::kCapacity);
        for (int i = 0; i <= db.lastRow; ++i) {
            const velmora::DatabaseRow& r = db.rows[static_cast<size_t>(i)];
            if (r.isComment)
                continue;
            check(known(r.designMethod) && known(r.cylinderType));
            check(flag(r.outsideStiffening) && flag(r.ringFrameControl) &&
                  flag(r.heavyRingControl) && flag(r.specialIh) && flag(r.ringFabrication) &&
                  flag(r.dimMoment));
            check(r.stiff.bulbRow >= 0 && r.stiff.bulbRow <= bulb.lastRow());
            check(r.ring.bulbRow >= 0 && r.ring.bulbRow <= bulb.lastRow());
        }
        std::string text;
        if (!velmora::databaseFileText(db, pointLocale ? '.' : ',', text, error))
            continue;
        velmora::CaseDatabase again;
        check(velmora::parseDatabaseText(text, "f_in.csv", bulb, pointLocale, again, error));
        check(again.lastRow == db.lastRow);
        std::string twice;
        check(velmora::databaseFileText(again, pointLocale ? '.' : ',', twice, error));
        check(twice == text);
    }
    return 0;
}
