// Shared set-up of the core tests: a state with small material and profile tables made in code,
// so that expected values can be worked out by hand from the rows below.
#pragma once

#include "calc/State.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace velmora::test {

// Material rows 0..3 plus the user-defined row 4. Row 2 is 355 MPa up to 40 mm, 345 above.
inline MaterialTable smallMaterialTable() {
    MaterialTable m;
    auto row = [](const char* name, float fy) {
        MaterialRow r;
        r.name = name;
        r.v = {fy, 16, fy - 10, 40, fy - 20, 63, fy - 30, 80, fy - 40, 100, fy - 50, 150, fy - 60};
        return r;
    };
    m.rows = {row("S235", 235), row("S275", 275), row("S355", 355), row("S420", 420),
              row("User defined", 355)};
    m.rows[2].v[0] = 355; // up to 16 mm
    m.rows[2].v[2] = 355; // 16 to 40 mm
    m.rows[2].v[4] = 345;
    return m;
}

inline ProfileTables smallProfileTables() {
    ProfileTables p;
    p.L.rows = {{200, 90, 9, 12, 0, 0, 0}, {150, 90, 10, 10, 0, 0, 0}, {100, 65, 7, 7, 0, 0, 0}};
    p.T.rows = {{200, 90, 9, 12, 0, 0, 0}, {300, 150, 10, 15, 0, 0, 0}};
    p.flat.rows = {{200, 0, 10, 0, 0, 0, 0}, {150, 0, 12, 0, 0, 0, 0}};
    p.bulb.rows = {{200, 0, 10, 0, 29, 9, 2820}};
    return p;
}

// A new case with the small tables loaded.
inline State newTestState() {
    State st;
    st.materials = smallMaterialTable();
    st.profiles = smallProfileTables();
    newCase(st);
    return st;
}

// A new case whose plate is the user-defined material with fyp = 355.
inline State userDefinedPlateState() {
    State st = newTestState();
    st.dc.plateMaterial = static_cast<int16_t>(st.materials.materialCount());
    st.dc.fyp = 355;
    return st;
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "velmora-test-") {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / (prefix + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    std::string str() const { return path_.string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace velmora::test
