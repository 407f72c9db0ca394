# Builds the release twice from the same sources, the way
# `cmake --build --preset win32 --target package` does, into two folders of
# different names, in different time zones (their local days differ) and
# locales, at different moments, and fails unless the two .scr files and the
# two ZIPs are the same bytes. Then looks into the ZIP: its three files, the
# .scr as built, and the guides as Notepad needs them.
#   cmake -DSOURCE=<sources> -DWORK=<scratch folder> -P reproduces.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(release_build folder timezone locale)
  set(environment ${CMAKE_COMMAND} -E env --unset=SOURCE_DATE_EPOCH TZ=${timezone} LC_ALL=${locale})
  foreach(step "configure;-S;${SOURCE};--preset;win32;-B;${WORK}/${folder};-DPOK_BUILD_TESTS=OFF"
               "build;--build;${WORK}/${folder};--target;package;--parallel;2")
    list(POP_FRONT step name)
    execute_process(COMMAND ${environment} ${CMAKE_COMMAND} ${step}
                    OUTPUT_FILE ${WORK}/${folder}.${name}.log ERROR_FILE ${WORK}/${folder}.${name}.log
                    RESULT_VARIABLE result TIMEOUT 600)
    if(NOT result EQUAL 0)
      file(READ ${WORK}/${folder}.${name}.log log)
      message(FATAL_ERROR "${folder}: ${name} failed (${result}):\n${log}")
    endif()
  endforeach()
endfunction()

release_build(first JST-9 C.UTF-8)
release_build(second-build-folder PST8 C)

file(GLOB zips RELATIVE ${WORK}/first ${WORK}/first/*.zip)
if(NOT zips MATCHES "^pok_v3-[0-9.]+-win32\\.zip$")
  message(FATAL_ERROR "expected one pok_v3-<version>-win32.zip, found: ${zips}")
endif()
foreach(file bin/pok_v3.scr ${zips})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/first/${file} ${WORK}/second-build-folder/${file}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(SEND_ERROR "${file} differs between ${WORK}/first and ${WORK}/second-build-folder")
  endif()
endforeach()

set(unzipped ${WORK}/unzipped)
file(MAKE_DIRECTORY ${unzipped})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${WORK}/first/${zips} WORKING_DIRECTORY ${unzipped}
                RESULT_VARIABLE result)
file(GLOB contents RELATIVE ${unzipped} ${unzipped}/*)
list(SORT contents)
if(NOT result EQUAL 0 OR NOT contents STREQUAL "README.txt;pok_v3.scr;はじめにお読みください.txt")
  message(FATAL_ERROR "the ZIP holds: ${contents} (extraction: ${result})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${unzipped}/pok_v3.scr ${WORK}/first/bin/pok_v3.scr
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(SEND_ERROR "the ZIP's pok_v3.scr is not the one built")
endif()
foreach(guide README.txt はじめにお読みください.txt)
  # As bytes ("ef bb bf ..."): file(READ) as text drops carriage returns.
  file(READ ${unzipped}/${guide} hex HEX)
  string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
  string(REGEX MATCHALL "0d 0a " crlf "${bytes}")
  string(REGEX MATCHALL "0a " lf "${bytes}")
  string(REGEX MATCHALL "0d " cr "${bytes}")
  list(LENGTH crlf crlf)
  list(LENGTH lf lf)
  list(LENGTH cr cr)
  if(NOT bytes MATCHES "^ef bb bf ")
    message(SEND_ERROR "${guide} does not start with the UTF-8 byte-order mark")
  endif()
  if(crlf EQUAL 0 OR NOT lf EQUAL crlf OR NOT cr EQUAL crlf)
    message(SEND_ERROR "${guide}: ${lf} line feeds and ${cr} carriage returns, ${crlf} of them CRLF")
  endif()
  file(READ ${unzipped}/${guide} text)
  if(text MATCHES "@[A-Za-z_]+@")
    message(SEND_ERROR "${guide} still holds ${CMAKE_MATCH_0}")
  endif()
endforeach()
