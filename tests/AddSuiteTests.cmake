# Run by CTest before the tests start (a TEST_INCLUDE_FILES script): lists the cases of one test
# program and adds one CTest test per test suite, run as "<program> --gtest_filter=<Suite>.*".
# A process per suite rather than per case keeps the sanitizers' start-up and the first touch of
# the editor's tables to once per suite, while ctest -j still spreads the suites over the cores.
# The cases of a parameterised suite ("Prefix/Suite") stay one test each.
#
# Expects PROGRAM (the test program), PREFIX (put before each suite's name), WORKING_DIR, LIST_FILE
# (where the generated add_test calls are kept between runs) and PROPERTIES (name value pairs).

if(NOT EXISTS "${PROGRAM}")
    add_test("${PREFIX}NOT_BUILT" "${PREFIX}NOT_BUILT")
    return()
endif()

if(NOT EXISTS "${LIST_FILE}" OR "${PROGRAM}" IS_NEWER_THAN "${LIST_FILE}"
   OR "${CMAKE_CURRENT_LIST_FILE}" IS_NEWER_THAN "${LIST_FILE}"
   OR "${CMAKE_PARENT_LIST_FILE}" IS_NEWER_THAN "${LIST_FILE}")
    execute_process(COMMAND "${PROGRAM}" --gtest_list_tests
                    WORKING_DIRECTORY "${WORKING_DIR}"
                    TIMEOUT 60
                    OUTPUT_VARIABLE listing
                    ERROR_VARIABLE listing_errors
                    RESULT_VARIABLE listing_result)
    if(NOT listing_result EQUAL 0)
        # A program that cannot list its cases still gets a test, which then fails visibly.
        file(WRITE "${LIST_FILE}" "add_test([==[${PREFIX}LISTING]==] [==[${PROGRAM}]==] --gtest_list_tests)\n")
    else()
        set(script "")
        string(REPLACE ";" "\\;" listing "${listing}")
        string(REPLACE "\n" ";" lines "${listing}")
        set(suite "")
        foreach(line IN LISTS lines)
            # Suite lines start in the first column and end in a full stop (a comment on the
            # parameter type may follow); case lines are indented.
            if(line MATCHES "^([^ #][^ ]*)\\.( .*)?$")
                set(suite "${CMAKE_MATCH_1}")
                if(suite MATCHES "^DISABLED_")
                    set(suite "")
                    continue()
                endif()
                # The cases of a parameterised suite are shards of one long check: each keeps
                # its own process so that they run side by side.
                if(NOT suite MATCHES "/")
                    set(test "${suite}")
                    set(filter "${suite}.*")
                else()
                    continue()
                endif()
            elseif(suite MATCHES "/" AND line MATCHES "^  ([^ #][^ ]*)( .*)?$")
                set(test "${suite}.${CMAKE_MATCH_1}")
                set(filter "${test}")
            else()
                continue()
            endif()
            string(APPEND script
                   "add_test([==[${PREFIX}${test}]==] [==[${PROGRAM}]==] [==[--gtest_filter=${filter}]==])\n"
                   "set_tests_properties([==[${PREFIX}${test}]==] PROPERTIES WORKING_DIRECTORY [==[${WORKING_DIR}]==] ${PROPERTIES})\n")
        endforeach()
        file(WRITE "${LIST_FILE}" "${script}")
    endif()
endif()
include("${LIST_FILE}")
