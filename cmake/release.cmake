# The release: one ZIP with pok_v3.scr and its guides, made by the package
# target and byte for byte the same from the same commit
# (tests/release/reproduces.cmake checks it).

# The guides are kept as plain UTF-8 in docs/release/ and written for the ZIP
# once the .scr is built, since they carry its SHA-256 for users to check
# their copy against (release_guide.cmake).
set(guides README.txt はじめにお読みください.txt)
set(shipped_guides "")
foreach(guide IN LISTS guides)
  set(source ${PROJECT_SOURCE_DIR}/docs/release/${guide})
  set(shipped ${PROJECT_BINARY_DIR}/release/${guide})
  add_custom_command(OUTPUT ${shipped}
    COMMAND ${CMAKE_COMMAND} -DSCR=$<TARGET_FILE:pok_v3> -DVERSION=${PROJECT_VERSION}
            -DSOURCE=${source} -DOUTPUT=${shipped} -P ${CMAKE_CURRENT_LIST_DIR}/release_guide.cmake
    DEPENDS pok_v3 ${source} ${CMAKE_CURRENT_LIST_DIR}/release_guide.cmake
    COMMENT "Writing ${guide} with the SHA-256 of pok_v3.scr" VERBATIM)
  list(APPEND shipped_guides ${shipped})
endforeach()
# Built with everything else, which the package target builds first.
add_custom_target(release_guides ALL DEPENDS ${shipped_guides})

install(TARGETS pok_v3 RUNTIME DESTINATION . COMPONENT release)
install(FILES ${shipped_guides} DESTINATION . COMPONENT release)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win32)
set(CPACK_VERBATIM_VARIABLES ON)
# The files at the top of the ZIP: Windows makes the folder when it extracts.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# One component, for its file list: CPack sorts a component's files, whereas
# a plain archive takes them in the order the file system lists them.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL release)
set(CPACK_ARCHIVE_RELEASE_FILE_NAME ${CPACK_PACKAGE_FILE_NAME})
set(CPACK_PACKAGE_CHECKSUM SHA256)
# Read by cpack itself: the time, time zone and locale the ZIP is written
# with, and afterwards where it is and its hash, and the .scr's.
set(CPACK_POK_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/release_setting.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/release_report.cmake)
include(CPack)
