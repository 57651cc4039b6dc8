# MELVORO_QT_PLUGIN_DIR: Qt's plug-in folder relative to Qt's install prefix (for example
# lib/x86_64-linux-gnu/qt5/plugins). Unless an install prefix is given, the install goes to Qt's prefix, so
# that the plug-in lands in Qt's own plug-in folder.
set(_qt_prefix "")
set(_qt_plugins "")
if(TARGET Qt${MELVORO_QT}::qmake)
    get_target_property(_qmake Qt${MELVORO_QT}::qmake IMPORTED_LOCATION)
    execute_process(COMMAND ${_qmake} -query QT_INSTALL_PREFIX OUTPUT_VARIABLE _qt_prefix
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${_qmake} -query QT_INSTALL_PLUGINS OUTPUT_VARIABLE _qt_plugins
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(_qt_plugins STREQUAL "" AND DEFINED QT6_INSTALL_PREFIX AND DEFINED QT6_INSTALL_PLUGINS)
    set(_qt_prefix "${QT6_INSTALL_PREFIX}")
    set(_qt_plugins "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}")
endif()
if(_qt_plugins STREQUAL "")
    set(MELVORO_QT_PLUGIN_DIR "lib/qt${MELVORO_QT}/plugins")
else()
    file(RELATIVE_PATH MELVORO_QT_PLUGIN_DIR "${_qt_prefix}" "${_qt_plugins}")
    if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
        set(CMAKE_INSTALL_PREFIX "${_qt_prefix}" CACHE PATH "Install prefix" FORCE)
    endif()
endif()
