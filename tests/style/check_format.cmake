# Runs clang-format over the C++ sources and fails, naming the files, where it would change one.
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/engine/*.h ${SOURCE_DIR}/engine/*.cpp
     ${SOURCE_DIR}/view/*.h ${SOURCE_DIR}/view/*.cpp
     ${SOURCE_DIR}/shell/*.h ${SOURCE_DIR}/shell/*.cpp
     ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/tools/*.cpp
     ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/tests/*.cpp
     ${SOURCE_DIR}/bench/*.h ${SOURCE_DIR}/bench/*.cpp)
list(FILTER sources EXCLUDE REGEX "^tests/fuzz/corpus/")
set(unformatted "")
foreach(source ${sources})
  execute_process(COMMAND ${CLANG_FORMAT} --style=file --dry-run --Werror ${source}
                  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
  if(NOT status EQUAL 0)
    list(APPEND unformatted ${source})
  endif()
endforeach()
if(unformatted)
  list(JOIN unformatted "\n  " listing)
  message(FATAL_ERROR "not formatted as .clang-format says (run clang-format -i):\n  ${listing}")
endif()
list(LENGTH sources count)
message(STATUS "${count} sources formatted as .clang-format says")
