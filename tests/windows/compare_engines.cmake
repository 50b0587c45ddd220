# Runs the engine dump tool on the native engine and, under wine, on QXDLL.dll, and fails unless
# both wrote the same puzzles byte for byte.
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${NATIVE_DUMP} ${NATIVE_BIN}/libQXDLL.so ${NATIVE_BIN}/DEFAULT.DICT ${OUT}/native.txt
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the native dump failed (${rc}): ${err}")
endif()
# The dictionary is the Windows program folder's, or DICT for an engine built alone.
if(NOT DICT)
  set(DICT ${WINDOWS_BIN}/DEFAULT.DICT)
endif()
execute_process(COMMAND ${WINE_RUN} ${PREFIX} ${WINDOWS_DUMP} ${WINDOWS_BIN}/QXDLL.dll ${DICT}
    ${OUT}/windows.txt
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the Windows dump failed under wine (${rc}): ${err}")
endif()
file(READ ${OUT}/native.txt native)
file(READ ${OUT}/windows.txt windows)
string(REGEX MATCHALL "\n    [0-9]+ [a-zA-Z]+" words "${native}")
list(LENGTH words word_count)
if(word_count LESS 1000)
  message(FATAL_ERROR "the native dump lists only ${word_count} words")
endif()
if(NOT native STREQUAL windows)
  execute_process(COMMAND diff ${OUT}/native.txt ${OUT}/windows.txt OUTPUT_VARIABLE difference)
  string(SUBSTRING "${difference}" 0 3000 difference)
  message(FATAL_ERROR "QXDLL.dll and libQXDLL.so made different puzzles:\n${difference}")
endif()
message(STATUS "the same ${word_count} words and paths from both engines")
