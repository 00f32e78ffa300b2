// The extension module velmora._velmora: the functions of python/ScriptApi.h on JSON text. The
// package velmora (velmora/__init__.py) turns dicts into that text and back and finds the data
// folder. InputError arrives in Python as ValueError, FileError as OSError; the studies and the
// batch run without Python's interpreter lock.
#include "base/Version.h"
#include "python/CheckManyBinding.h"
#include "python/ScriptApi.h"

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <atomic>
#include <optional>
#include <stdexcept>
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

// Runs a study without the interpreter lock. Every 50 ms or so the study's progress takes the
// lock for a moment to see whether a signal came (Ctrl-C); the study is then cancelled and the
// signal's exception (KeyboardInterrupt) raised.
template <class Run> std::string runUnlocked(const PreparedStudy& study, Run run) {
    std::atomic<bool> cancel = false;
    StudyControl control;
    control.cancel = &cancel;
    control.progress = [&cancel](int64_t, int64_t) {
        py::gil_scoped_acquire locked;
        if (!cancel && PyErr_CheckSignals() != 0)
            cancel = true;
    };
    std::optional<std::string> json;
    {
        py::gil_scoped_release unlocked;
        json = run(study, control);
    }
    if (!json) {
        if (PyErr_Occurred())
            throw py::error_already_set();
        throw std::runtime_error("the study was cancelled");
    }
    return *json;
}

std::string sweep(const std::string& caseJson, const std::vector<Range>& vary, bool proportions,
                  const std::vector<std::string>& loadCases, unsigned threads,
                  const std::string& dataDir) {
    const PreparedStudy study =
        prepareStudy(studyArgs(caseJson, vary, 10, proportions, loadCases, threads, dataDir));
    return runUnlocked(study, runSweepJson);
}

std::string optimise(const std::string& caseJson, const std::vector<Range>& vary, int top,
                     bool proportions, const std::vector<std::string>& loadCases, unsigned threads,
                     const std::string& dataDir) {
    const PreparedStudy study =
        prepareStudy(studyArgs(caseJson, vary, top, proportions, loadCases, threads, dataDir));
    return runUnlocked(study, runOptimiseJson);
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
    m.attr("__version__") = kVersion;
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
    m.def("input_names", [] {
        std::vector<std::string> names;
        for (std::string_view n : studyInputNames())
            names.emplace_back(n);
        return names;
    });
    m.def("read_database", &script::readDatabase, py::arg("path"), py::arg("data_dir"));
    m.def("batch", &batch, py::arg("path_in"), py::arg("path_out"), py::arg("data_dir"));
    bindCheckMany(m);
}
