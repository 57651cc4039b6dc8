# The bucket pool against the C heap: allocate + release pairs of fixed and mixed sizes, on one thread
# and on two.
add_executable(pool_bench ${CMAKE_CURRENT_LIST_DIR}/pool_bench.cpp)
target_link_libraries(pool_bench PRIVATE velruntime benchmark::benchmark)
