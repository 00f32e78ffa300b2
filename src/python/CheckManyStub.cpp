// Stands in for CheckManyBinding.cpp while the module has no check_many.
#include "python/CheckManyBinding.h"

namespace velmora::script {

void bindCheckMany(pybind11::module_&) {}

} // namespace velmora::script
