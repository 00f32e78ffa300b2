// velmora.check_many(case, threads=None, **columns): a table of input rows checked at once on
// the core's threads with Python's interpreter lock released (study/CheckMany.h), the results
// as numpy arrays that take over the core's storage without copying it.
#include "python/CheckManyBinding.h"
#include "python/ScriptApi.h"
#include "study/CheckMany.h"

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <string>
#include <utility>
#include <vector>

namespace py = pybind11;

namespace velmora::script {

namespace {

// A numpy array over the storage of `v`, which it takes over without copying.
template <class T> py::array ownedArray(std::vector<T>&& v, const py::dtype& dtype) {
    auto* owned = new std::vector<T>(std::move(v));
    const py::capsule owner(owned, [](void* p) { delete static_cast<std::vector<T>*>(p); });
    return py::array(dtype, {static_cast<py::ssize_t>(owned->size())},
                     {static_cast<py::ssize_t>(sizeof(T))}, owned->data(), owner);
}

// A string array of `names` picked by `index` (numpy fancy indexing: one pass in C).
template <class Index>
py::array pickNames(const std::vector<std::string>& names, std::vector<Index>&& index) {
    const py::module_ np = py::module_::import("numpy");
    py::list list;
    for (const std::string& n : names)
        list.append(n);
    const py::array table = np.attr("array")(list, "str");
    return table[ownedArray(std::move(index), py::dtype::of<Index>())];
}

// One column as a contiguous float64 array: a one-dimensional array or sequence of numbers.
py::array_t<double> columnArray(const std::string& name, const py::handle& values) {
    const py::module_ np = py::module_::import("numpy");
    py::array a;
    try {
        a = np.attr("asarray")(values);
    } catch (py::error_already_set& e) {
        throw py::value_error(name + ": give a one-dimensional array of numbers (" +
                              std::string(e.what()) + ")");
    }
    if (a.ndim() != 1)
        throw py::value_error(name + ": give a one-dimensional array of numbers (got " +
                              std::to_string(a.ndim()) + " dimensions)");
    const char kind = a.dtype().kind();
    if (kind != 'i' && kind != 'u' && kind != 'f')
        throw py::value_error(name + ": give a one-dimensional array of numbers (got dtype " +
                              std::string(py::str(a.dtype())) + ")");
    return py::array_t<double, py::array::c_style | py::array::forcecast>(a);
}

unsigned threadCount(const py::object& threads) {
    if (threads.is_none())
        return 0;
    if (!py::isinstance<py::int_>(threads) || py::isinstance<py::bool_>(threads))
        throw py::value_error("threads: give a whole number of threads, or None for one per core");
    const long long n = threads.cast<long long>();
    if (n < 0 || n > 1024)
        throw py::value_error("threads: give 0 to 1024 threads (0 or None: one per core), not " +
                              std::to_string(n));
    return static_cast<unsigned>(n);
}

// The case opened as the window opens it (looked up, calculated), each column as a float64
// array; then every row on `threads` threads without the interpreter lock. ValueError for a
// bad case key, column, value or thread count, with the core's message.
py::dict checkManyArrays(const std::string& caseJson, const py::dict& columns,
                         const py::object& threads, const std::string& dataDir) {
    const unsigned threadsWanted = threadCount(threads);
    QuietNotifier nt;
    const State st = openedState(caseJson, dataDir, nt);
    std::vector<py::array_t<double>> arrays; // kept alive while the core reads them
    std::vector<CheckManyColumn> cols;
    for (const auto& [key, value] : columns) {
        const std::string name = py::str(key);
        arrays.push_back(columnArray(name, value));
        const py::array_t<double>& a = arrays.back();
        cols.push_back({name, {a.data(), static_cast<size_t>(a.shape(0))}});
    }
    CheckManyResult r;
    std::string error;
    {
        const py::gil_scoped_release released;
        error = checkMany(st, cols, threadsWanted, r);
    }
    if (!error.empty())
        throw py::value_error(error);

    py::dict out;
    out["passes"] = ownedArray(std::move(r.passes), py::dtype("bool"));
    out["ratio"] = ownedArray(std::move(r.ratio), py::dtype::of<double>());
    std::vector<std::string> checkNames;
    for (int c = 0; c < kCheckCount; ++c)
        checkNames.emplace_back(checkName(static_cast<CheckId>(c)));
    checkNames.emplace_back(""); // none: index -1 picks the last
    out["governing"] = pickNames(checkNames, std::move(r.governing));
    std::vector<std::string> statusNames;
    std::vector<int8_t> statusIndex(r.status.size());
    for (VerdictStatus s : {VerdictStatus::NotCalculated, VerdictStatus::InputOutOfLimits,
                            VerdictStatus::Fails, VerdictStatus::Passes})
        statusNames.emplace_back(verdictStatusJson(s));
    for (size_t i = 0; i < r.status.size(); ++i)
        statusIndex[i] = static_cast<int8_t>(r.status[i]);
    out["status"] = pickNames(statusNames, std::move(statusIndex));
    out["loadCase"] = pickNames(r.loadCaseNames, std::move(r.loadCase));
    for (int c = 0; c < kCheckCount; ++c) {
        const std::string name = checkName(static_cast<CheckId>(c));
        out[py::str(name)] =
            ownedArray(std::move(r.uf[static_cast<size_t>(c)]), py::dtype::of<double>());
        out[py::str(name + "_permitted")] =
            ownedArray(std::move(r.permitted[static_cast<size_t>(c)]), py::dtype::of<double>());
    }
    return out;
}

} // namespace

void bindCheckMany(py::module_& m) {
    m.def("check_many", &checkManyArrays, py::arg("case_json"), py::arg("columns"),
          py::arg("threads"), py::arg("data_dir"));
}

} // namespace velmora::script
