// The vectorised check of many rows, bound into the module by a source file of its own.
//
// bindCheckMany adds to the extension module `m` the function
//     check_many(case_json: str, columns: dict[str, numpy.ndarray], threads: int,
//                data_dir: str) -> dict[str, numpy.ndarray]
// which velmora.check_many (velmora/__init__.py) calls with the case as JSON text.
#pragma once

#include <pybind11/pybind11.h>

namespace velmora::script {

void bindCheckMany(pybind11::module_& m);

} // namespace velmora::script
