# Run by cpack before it writes the ZIP. The ZIP's bytes would otherwise
# depend on when, where and by whom it is made:
# - every entry's time is SOURCE_DATE_EPOCH when that is set (the archive
#   writer honours it for mtime, atime and ctime alike), else the file's
#   mtime; it is taken from the last commit unless the caller set it;
# - ZIP's DOS time field is local time, so the time zone is fixed;
# - the non-ASCII guide's name is written, flagged as UTF-8, only under a
#   UTF-8 locale (under C cpack cannot even read the file).
# What stays the builder's: each entry records the numeric user and group
# that own the staged files (CPack has no setting for them), so builds agree
# when made by the same user, such as root as in the README.
if("$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  execute_process(COMMAND git -C "${CPACK_POK_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE commitTime RESULT_VARIABLE gitResult
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(gitResult EQUAL 0 AND commitTime MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} ${commitTime})
  else()
    # Sources without their history: a fixed time, the earliest a ZIP holds.
    set(ENV{SOURCE_DATE_EPOCH} 315532800)
  endif()
endif()
set(ENV{TZ} UTC0)
set(ENV{LC_ALL} C.UTF-8)
