# The release: one ZIP with pok_v3.scr and its guides, made by the package
# target and byte for byte the same from the same commit
# (tests/release/reproduces.cmake checks it).

# The guides are kept as plain UTF-8 in docs/release/; users read them in
# Notepad, which needs the byte-order mark on older Windows and CRLF lines to
# show them right everywhere.
set(guides README.txt はじめにお読みください.txt)
string(ASCII 239 187 191 byteOrderMark)
set(shipped_guides "")
foreach(guide IN LISTS guides)
  set(source ${PROJECT_SOURCE_DIR}/docs/release/${guide})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(READ ${source} text)
  file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/release/${guide}
       CONTENT "${byteOrderMark}${text}" @ONLY NEWLINE_STYLE CRLF)
  list(APPEND shipped_guides ${PROJECT_BINARY_DIR}/release/${guide})
endforeach()

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
# with, and afterwards where it is and its hash.
set(CPACK_POK_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/release_setting.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/release_report.cmake)
include(CPack)
