# morvik-cli cat through a pipe, the program run as the system runs it (under Wine for Windows
# builds): an entry holding CR, LF and 0x1A must reach the next program byte for byte, with no
# LF turned into CR LF and no stop at 0x1A. Run with -DCLI=<program> -DWORK=<folder> and
# optionally -DEMULATOR=<wine>.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
string(ASCII 13 10 26 10 13 13 10 26 127 binary)
set(binary "A${binary}B\n\nC")
file(WRITE "${WORK}/BIN.DAT" "${binary}")
file(WRITE "${WORK}/TEXT.TXT" "line one\nline two\n")
file(WRITE "${WORK}/BOTH" "line one\nline two\n${binary}")

execute_process(COMMAND ${EMULATOR} "${CLI}" create G.GRP BIN.DAT TEXT.TXT
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE created)
if(NOT created EQUAL 0)
    message(FATAL_ERROR "create failed: ${created}")
endif()

# Each pipe: cat's output compared with the expected file by cmp, reading from the pipe.
foreach(case "BIN.DAT|BIN.DAT" "TEXT.TXT;BIN.DAT|BOTH")
    string(REPLACE "|" ";" parts "${case}")
    list(GET parts -1 expected)
    list(REMOVE_AT parts -1)
    execute_process(COMMAND ${EMULATOR} "${CLI}" cat G.GRP ${parts}
                    COMMAND cmp - "${expected}"
                    WORKING_DIRECTORY "${WORK}" RESULTS_VARIABLE results)
    if(NOT results STREQUAL "0;0")
        message(FATAL_ERROR "cat G.GRP ${parts} | cmp - ${expected}: ${results}")
    endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
