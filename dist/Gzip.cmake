# cmake -DIN=file -DOUT=file.gz -P Gzip.cmake
# Debian wants manual pages and changelogs compressed with gzip -9n: no name
# and no time stamp inside, so that the same sources give the same package.
execute_process(COMMAND gzip -9 -n -c "${IN}" OUTPUT_FILE "${OUT}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "gzip ${IN} failed: ${result}")
endif()
