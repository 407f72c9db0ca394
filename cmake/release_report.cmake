# Run by cpack once it has written the ZIP (in its scratch folder, from
# which it copies it to the package directory next): where it ends up and
# what it hashes to.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  get_filename_component(name ${package} NAME)
  file(SHA256 ${package} hash)
  string(TIMESTAMP stamp "%Y-%m-%d %H:%M:%S UTC" UTC)  # SOURCE_DATE_EPOCH, as the files carry it
  message(STATUS "Release ZIP: ${CPACK_PACKAGE_DIRECTORY}/${name}")
  message(STATUS "SHA-256:     ${hash}")
  message(STATUS "File times:  ${stamp}")
endforeach()
