# korvane_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
#
# One helper registers every test: it builds the test from its own sources
# plus the test support code, links only what it names (the lowest layer
# that holds what it tests), and runs it headless with a private, empty settings store.
function(korvane_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT ARG_LIBS)
        message(FATAL_ERROR "korvane_add_test(${name}): name the layer it tests in LIBS")
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} korvane_testsupport Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        LABELS "${ARG_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config/${name};KORVANE_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;KORVANE_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()
