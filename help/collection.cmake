# SPDX-License-Identifier: GPL-3.0-or-later
# Runs qhelpgenerator, which stamps the collection with SOURCE_DATE_EPOCH
# when it is set and with the build's time when not. Unless the caller sets
# it (a package build does), it is the last commit's time: one commit, one
# collection, whenever and wherever it is built.
#   cmake -DGENERATOR=qhelpgenerator -DPROJECT=Tavora.qhcp -DCOLLECTION=Tavora.qhc
#         -DSOURCES=checkout -P collection.cmake
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  execute_process(COMMAND git -C ${SOURCES} log -1 --format=%ct
    OUTPUT_VARIABLE commit_time OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE git_failed ERROR_QUIET)
  if(NOT git_failed AND commit_time)
    set(ENV{SOURCE_DATE_EPOCH} ${commit_time})
  endif()
endif()
execute_process(COMMAND ${GENERATOR} ${PROJECT} -o ${COLLECTION} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "qhelpgenerator failed: ${failed}")
endif()
