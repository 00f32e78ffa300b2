// The data files delivered beside the program: the material table and the four profile tables.
#pragma once

#include <string>
#include <vector>

namespace velmora {

struct State;

// Folder holding the data files for a program whose executable lies in `exeDir`: the
// executable's own folder, else ../share/velmora-dnv beside it.
std::string findDataDir(const std::string& exeDir);

// Folder of the running executable ("" when it cannot be told).
std::string executableDir();

// Loads DNVmat.dat and the four profile tables from `dir`; returns one message per file that
// could not be used (each such table stays empty).
std::vector<std::string> loadDataFiles(State& st, const std::string& dir);

} // namespace velmora
