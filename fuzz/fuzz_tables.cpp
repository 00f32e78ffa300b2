// Feeds arbitrary bytes to the material and profile-table readers: they must refuse bad text
// with a message and never crash or hand back a table that breaks its own limits.
#include "sections/Materials.h"
#include "sections/ProfileTables.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;

    const std::optional<velmora::MaterialTable> mat =
        velmora::parseMaterials(text, "DNVmat.dat", error);
    if (mat) {
        if (mat->rows.empty() || mat->rows.size() > velmora::MaterialTable::maxRows)
            std::abort();
        for (int i = 0; i <= mat->materialCount(); ++i)
            (void)velmora::lookupYield(*mat, i, 20.0f, 0.0f);
    } else if (error.empty()) {
        std::abort();
    }

    for (velmora::TableKind kind : {velmora::TableKind::L, velmora::TableKind::T,
                                    velmora::TableKind::Flat, velmora::TableKind::Bulb}) {
        error.clear();
        const std::optional<velmora::ProfileTable> t =
            velmora::parseProfileTable(kind, text, velmora::tableFileName(kind), error);
        if (t) {
            if (t->rows.empty() || t->lastRow() >= velmora::tableMaxRows(kind) || t->kind != kind)
                std::abort();
            for (int i = 0; i <= t->lastRow(); ++i)
                (void)t->rowText(i, ',');
        } else if (error.empty()) {
            std::abort();
        }
    }
    return 0;
}
