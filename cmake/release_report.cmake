# Run by cpack once it has written the ZIP (in its scratch folder, from
# which it copies it to the package directory next): where it ends up and
# what it hashes to, and the hash of the .scr inside, as its guides give it
# for users to check their copy against.
file(GLOB_RECURSE scrs ${CPACK_TEMPORARY_DIRECTORY}/*.scr)
if(NOT scrs MATCHES "^[^;]+$")
  message(FATAL_ERROR "expected one .scr staged in ${CPACK_TEMPORARY_DIRECTORY}, found: ${scrs}")
endif()
file(SHA256 ${scrs} scrHash)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  get_filename_component(name ${package} NAME)
  file(SHA256 ${package} hash)
  string(TIMESTAMP stamp "%Y-%m-%d %H:%M:%S UTC" UTC)  # SOURCE_DATE_EPOCH, as the files carry it
  message(STATUS "Release ZIP: ${CPACK_PACKAGE_DIRECTORY}/${name}")
  message(STATUS "SHA-256:     ${hash}")
  message(STATUS "pok_v3.scr:  SHA-256 ${scrHash}, as the guides give it")
  message(STATUS "File times:  ${stamp}")
endforeach()
