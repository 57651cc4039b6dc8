# One full repaint of the gallery window and of a pop-up menu, with the application style, the base
# "Windows" style and "Fusion". scripts/paint-callgrind.sh counts the instructions of the same repaints.
add_executable(paint_bench ${CMAKE_CURRENT_LIST_DIR}/paint_bench.cpp)
target_link_libraries(paint_bench PRIVATE gallerykit velhost benchmark::benchmark)
target_compile_definitions(paint_bench PRIVATE MELVORO_MODULE_PATH="$<TARGET_FILE:melvoroGUIComponent>")
add_dependencies(paint_bench melvoroGUIComponent)
