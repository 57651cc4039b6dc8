# Fails when the DLL's export table names anything besides EntryPoint, or not EntryPoint, or when the DLL
# does not import what its process-attach step calls (DisableThreadLibraryCalls).
# Usage: cmake -DOBJDUMP=<objdump> -DMODULE=<path of the DLL> -P checkdllexports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${MODULE}
                OUTPUT_VARIABLE dump RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${MODULE}: ${errors}")
endif()
# The names follow the line "[Ordinal/Name Pointer] Table", one "[ n] name" line each.
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n([ \t]*\\[ *[0-9]+\\] [^\n]*\n)*" table "${dump}")
if(NOT table)
    message(FATAL_ERROR "${MODULE} has no export name table")
endif()
string(FIND "${table}" "\n" header_end)
math(EXPR header_end "${header_end} + 1")
string(SUBSTRING "${table}" ${header_end} -1 table)
string(REGEX REPLACE "[ \t]*\\[ *[0-9]+\\] ([^\n]*)\n" "\\1;" names "${table}")
string(REGEX REPLACE ";$" "" names "${names}")
if(NOT names STREQUAL "EntryPoint")
    message(FATAL_ERROR "${MODULE} exports [${names}], not EntryPoint alone")
endif()
if(NOT dump MATCHES "DisableThreadLibraryCalls")
    message(FATAL_ERROR "${MODULE} does not turn thread notifications off at process attach")
endif()
message(STATUS "${MODULE} exports only EntryPoint")
