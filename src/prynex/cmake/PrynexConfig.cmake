# find_package(Prynex) gives the imported target Prynex::prynex.
include(CMakeFindDependencyMacro)
find_dependency(Qt6 COMPONENTS Widgets)
include(${CMAKE_CURRENT_LIST_DIR}/PrynexTargets.cmake)
