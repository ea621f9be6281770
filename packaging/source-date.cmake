# Read by cpack before it packs. The DEB generator stamps every archive member
# and file of the package with the time SOURCE_DATE_EPOCH gives, and leaves
# the time out of its gzip headers, so that two builds of one source make the
# same package. Without it, that time is the last commit's or, in a source
# archive, the date of the changelog's latest entry, as Debian takes it.
# Decided here rather than at configure time, so that a commit made since
# then counts.
set(checkers_epoch "$ENV{SOURCE_DATE_EPOCH}")
if(checkers_epoch STREQUAL "")
  if(EXISTS "${CPACK_CHECKERS_SOURCE_DIR}/.git")
    execute_process(COMMAND git log -1 --format=%ct
                    WORKING_DIRECTORY "${CPACK_CHECKERS_SOURCE_DIR}"
                    OUTPUT_VARIABLE checkers_epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET RESULT_VARIABLE checkers_status)
    if(NOT checkers_status EQUAL 0)
      set(checkers_epoch "")
    endif()
  endif()
  if(checkers_epoch STREQUAL "")
    execute_process(COMMAND dpkg-parsechangelog -S Timestamp
                            -l "${CPACK_CHECKERS_SOURCE_DIR}/packaging/changelog"
                    OUTPUT_VARIABLE checkers_epoch OUTPUT_STRIP_TRAILING_WHITESPACE)
  endif()
  set(ENV{SOURCE_DATE_EPOCH} "${checkers_epoch}")
endif()
# CPack would take the time of the build instead of a value it cannot read.
if(NOT checkers_epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "no time for the package's files: '${checkers_epoch}' is not a number of "
                      "seconds; set SOURCE_DATE_EPOCH")
endif()
