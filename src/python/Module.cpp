// The extension module velmora._velmora: the functions of python/ScriptApi.h on JSON text. The
// package velmora (velmora/__init__.py) turns dicts into that text and back and finds the data
// folder. InputError arrives in Python as ValueError, FileError as OSError; the studies and the
// batch run without Python's interpreter lock.
#include "python/CheckManyBinding.h"
#include "python/ScriptApi.h"

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <string>
#include <tuple>
#include <vector>

namespace py = pybind11;
using namespace velmora;
using namespace velmora::script;

namespace {

using Range = std::tuple<std::string, double, double, double>;

StudyArgs studyArgs(const std::string& caseJson, const std::vector<Range>& vary, int top,
                    bool proportions, const std::vector<std::string>& loadCases, unsigned threads,
                    const std::string& dataDir) {
    StudyArgs a;
    a.caseJson = caseJson;
    for (const auto& [name, from, to, step] : vary)
        a.vary.push_back(StudyRange{name, from, to, step});
    a.top = top;
    a.proportions = proportions;
    a.loadCases = loadCases;
    a.threads = threads;
    a.dataDir = dataDir;
    return a;
}

std::string sweep(const std::string& caseJson, const std::vector<Range>& vary, bool proportions,
                  const std::vector<std::string>& loadCases, unsigned threads,
                  const std::string& dataDir) {
    const PreparedStudy study =
        prepareStudy(studyArgs(caseJson, vary, 10, proportions, loadCases, threads, dataDir));
    py::gil_scoped_release unlocked;
    return runSweepJson(study);
}

std::string optimise(const std::string& caseJson, const std::vector<Range>& vary, int top,
                     bool proportions, const std::vector<std::string>& loadCases, unsigned threads,
                     const std::string& dataDir) {
    const PreparedStudy study =
        prepareStudy(studyArgs(caseJson, vary, top, proportions, loadCases, threads, dataDir));
    py::gil_scoped_release unlocked;
    return runOptimiseJson(study);
}

std::string batch(const std::string& inPath, const std::string& outPath,
                  const std::string& dataDir) {
    State st = preparedDatabase(inPath, dataDir);
    py::gil_scoped_release unlocked;
    return runBatch(st, outPath);
}

} // namespace

PYBIND11_MODULE(_velmora, m) {
    m.doc() = "Velmora DNV's calculation core on JSON text; use the package velmora instead.";
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p)
                std::rethrow_exception(p);
        } catch (const FileError& e) {
            PyErr_SetString(PyExc_OSError, e.what());
        }
    });
    m.def("new_case", &script::newCase, py::arg("data_dir"));
    m.def("read_case", &script::readCase, py::arg("path"), py::arg("data_dir"));
    m.def("write_case", &script::writeCase, py::arg("case_json"), py::arg("path"));
    m.def("calc", &script::calc, py::arg("case_json"), py::arg("data_dir"));
    m.def("sweep", &sweep, py::arg("case_json"), py::arg("vary"), py::arg("proportions"),
          py::arg("load_cases"), py::arg("threads"), py::arg("data_dir"));
    m.def("optimise", &optimise, py::arg("case_json"), py::arg("vary"), py::arg("top"),
          py::arg("proportions"), py::arg("load_cases"), py::arg("threads"), py::arg("data_dir"));
    m.def("read_database", &script::readDatabase, py::arg("path"), py::arg("data_dir"));
    m.def("batch", &batch, py::arg("path_in"), py::arg("path_out"), py::arg("data_dir"));
    bindCheckMany(m);
}
