# korvane_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>])
#
# One helper registers every test: it builds the test from its own sources
# plus the test support code, links only what it names (the lowest layer
# that holds what it tests), and runs it headless with a private, empty settings store.
# Qt warns when the runtime folder is missing, and tests fail on any
# warning (RunQtTest.cmake).
set(KORVANE_TEST_RUNTIME ${CMAKE_BINARY_DIR}/test-runtime)
file(MAKE_DIRECTORY ${KORVANE_TEST_RUNTIME})
file(CHMOD ${KORVANE_TEST_RUNTIME} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

function(korvane_add_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
    if(NOT ARG_LIBS)
        message(FATAL_ERROR "korvane_add_test(${name}): name the layer it tests in LIBS")
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} korvane_testsupport Qt6::Test)
    add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -DTEST=$<TARGET_FILE:${name}>
        -P ${PROJECT_SOURCE_DIR}/cmake/RunQtTest.cmake)
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        LABELS "${ARG_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${KORVANE_TEST_RUNTIME};XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config/${name};XDG_CACHE_HOME=${CMAKE_BINARY_DIR}/test-cache/${name};KORVANE_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;KORVANE_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()
