# The bucket pool against the C heap (and mimalloc and tcmalloc where installed, loaded at run time):
# the module's own pool, and the host's shared pool as a module uses it. The module is a shared library
# with its own hidden copy of the runtime.
add_library(pool_bench_module SHARED ${CMAKE_CURRENT_LIST_DIR}/pool_bench_module.cpp)
target_link_libraries(pool_bench_module PRIVATE velruntime)
set_target_properties(pool_bench_module PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
target_link_options(pool_bench_module PRIVATE -Wl,--no-undefined)

add_executable(pool_bench ${CMAKE_CURRENT_LIST_DIR}/pool_bench.cpp)
target_link_libraries(pool_bench PRIVATE velhost velruntime pool_bench_module benchmark::benchmark ${CMAKE_DL_LIBS})
