// The data files delivered beside the program: the material table and the four profile tables.
#pragma once

#include <string>
#include <vector>

namespace velmora {

struct MaterialTable;
struct ProfileTables;

// Folder holding the data files for a program whose executable lies in `exeDir`: the
// executable's own folder, else ../share/velmora-dnv beside it.
std::string findDataDir(const std::string& exeDir);

// Folder of the running executable ("" when it cannot be told).
std::string executableDir();

// Loads DNVmat.dat from `dir` into `table`. On any failure the table is left empty and the
// message is returned; an empty string means success.
std::string loadMaterials(const std::string& dir, MaterialTable& table);

// Loads the four tables from `dir` in the order bfprof, lprof, tprof, fprof. A table that fails
// is left empty; the messages of the failures are returned (none on success).
std::vector<std::string> loadProfileTables(const std::string& dir, ProfileTables& tables);

// Loads DNVmat.dat and the four profile tables from `dir`; returns one message per file that
// could not be used (each such table stays empty).
std::vector<std::string> loadDataFiles(MaterialTable& materials, ProfileTables& profiles,
                                       const std::string& dir);

} // namespace velmora
