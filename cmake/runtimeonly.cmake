# The Qt-free tree (MELVORO_RUNTIME_ONLY): the runtime, a module of the component frame alone (entry,
# component and class factory; it offers no class) and the tests that need no Qt. Builds natively, with
# -m32 (cmake/linux-i686.cmake) and for 32-bit Windows (cmake/mingw-i686.cmake).

add_library(melvoroGUIComponent SHARED frame/entrypoint.cpp frame/noclasses.cpp)
target_link_libraries(melvoroGUIComponent PRIVATE velruntime)
set_target_properties(melvoroGUIComponent PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
if(WIN32)
    # EntryPoint carries the export mark, so the linker exports nothing else.
    set_target_properties(melvoroGUIComponent PROPERTIES PREFIX "")
else()
    set_target_properties(melvoroGUIComponent PROPERTIES LINK_DEPENDS ${CMAKE_SOURCE_DIR}/frame/module.map)
    target_link_options(melvoroGUIComponent PRIVATE
        -Wl,--version-script=${CMAKE_SOURCE_DIR}/frame/module.map -Wl,--no-undefined)
endif()

if(MELVORO_TESTS)
    enable_testing()
    if(CMAKE_CROSSCOMPILING)
        # No GoogleTest is installed for the target: build it from its sources (Debian: googletest).
        set(MELVORO_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        add_subdirectory(${MELVORO_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
        foreach(lib gtest gtest_main gmock gmock_main)
            target_compile_options(${lib} PRIVATE -Wno-error)
            if(NOT TARGET GTest::${lib})
                add_library(GTest::${lib} ALIAS ${lib})
            endif()
        endforeach()
    else()
        find_package(GTest REQUIRED)
    endif()
    add_subdirectory(tests)
endif()
