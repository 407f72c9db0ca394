# Builds the release twice from the same sources, the way
# `cmake --build --preset release --target package` does, into two folders of
# different names, in different time zones (their local days differ) and
# locales, at different moments, and fails unless the two .scr files and the
# two ZIPs are the same bytes; the .scr of a tree with the tests, which the
# tests drive, must be the same bytes too. Then looks into the .scr (what it
# imports, which Windows it asks for) and into the ZIP: its three files, the
# .scr as built, and the guides as Notepad needs them, with the .scr's SHA-256.
#   cmake -DSOURCE=<sources> -DWORK=<scratch folder> -P reproduces.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(release_build folder preset target timezone locale)
  set(environment ${CMAKE_COMMAND} -E env --unset=SOURCE_DATE_EPOCH TZ=${timezone} LC_ALL=${locale})
  foreach(step "configure;-S;${SOURCE};--preset;${preset};-B;${WORK}/${folder}"
               "build;--build;${WORK}/${folder};--target;${target};--parallel;2")
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

release_build(first release package JST-9 C.UTF-8)
release_build(second-build-folder release package PST8 C)
release_build(tested win32 pok_v3 UTC0 C.UTF-8)

file(GLOB zips RELATIVE ${WORK}/first ${WORK}/first/*.zip)
if(NOT zips MATCHES "^pok_v3-[0-9.]+-win32\\.zip$")
  message(FATAL_ERROR "expected one pok_v3-<version>-win32.zip, found: ${zips}")
endif()
set(unzipped ${WORK}/unzipped)
file(ARCHIVE_EXTRACT INPUT ${WORK}/first/${zips} DESTINATION ${unzipped})
file(GLOB contents RELATIVE ${unzipped} ${unzipped}/*)
list(SORT contents)
if(NOT contents STREQUAL "README.txt;pok_v3.scr;はじめにお読みください.txt")
  message(FATAL_ERROR "the ZIP holds: ${contents}")
endif()
foreach(pair "first/bin/pok_v3.scr;second-build-folder/bin/pok_v3.scr" "first/${zips};second-build-folder/${zips}"
             "first/bin/pok_v3.scr;tested/bin/pok_v3.scr" "first/bin/pok_v3.scr;unzipped/pok_v3.scr")
  list(POP_FRONT pair one other)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/${one} ${WORK}/${other} RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(SEND_ERROR "${WORK}/${one} and ${WORK}/${other} differ")
  endif()
endforeach()

# What the .scr asks of Windows, as its headers say.
find_program(OBJDUMP i686-w64-mingw32-objdump REQUIRED)
execute_process(COMMAND ${OBJDUMP} -p ${WORK}/first/bin/pok_v3.scr OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
# Windows XP is 5.1: an older Windows says the file is not for it.
foreach(field MajorOSystemVersion=5 MinorOSystemVersion=1 MajorSubsystemVersion=5 MinorSubsystemVersion=1)
  string(REPLACE "=" ";" field ${field})
  list(POP_FRONT field name wanted)
  if(NOT headers MATCHES "\n${name}[ \t]+([0-9]+)\n" OR NOT CMAKE_MATCH_1 EQUAL wanted)
    message(SEND_ERROR "the .scr's ${name} is '${CMAKE_MATCH_1}', not ${wanted}")
  endif()
endforeach()
# Every import by DLL and name ("kernel32.dll CloseHandle"): each DLL's
# section lists a hint and a name per line, up to a blank line. Any other
# line there is an import that the list cannot vouch for, such as one by
# ordinal (objdump names it "<none>"), and fails the test. Taken apart by
# pattern, not as a list of lines: elsewhere the output holds brackets,
# which CMake's lists do not split inside.
string(REGEX MATCHALL "DLL Name: [^\n]+\n[^\n]*Hint/Ord[^\n]*\n([^\n]+\n)*" sections "${headers}")
foreach(section IN LISTS sections)
  string(REGEX MATCH "^DLL Name: ([^\n]+)\n[^\n]*\n(.*)" ignored "${section}")
  string(TOLOWER "${CMAKE_MATCH_1}" library)
  string(REGEX MATCHALL "[^\n]+" entries "${CMAKE_MATCH_2}")
  foreach(entry IN LISTS entries)
    if(entry MATCHES "^[ \t]*[0-9a-f]+[ \t]+[0-9]+[ \t]+([A-Za-z_][A-Za-z0-9_@]*)[ \t]*$")
      list(APPEND imports "${library} ${CMAKE_MATCH_1}")
    else()
      list(APPEND unnamed "${library}:${entry}")
    endif()
  endforeach()
endforeach()
if(unnamed)
  string(REPLACE ";" "\n  " unnamed "${unnamed}")
  message(SEND_ERROR "the .scr imports what it does not name, so not checked as present in Windows XP SP3:\n  ${unnamed}")
endif()
list(LENGTH imports count)
if(count LESS 20)
  message(FATAL_ERROR "read only ${count} imports from the .scr: has objdump's output changed?\n${headers}")
endif()
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/xp_imports.txt allowed REGEX "^[a-z0-9]+\\.dll ")
list(REMOVE_ITEM imports ${allowed})
if(imports)
  string(REPLACE ";" "\n  " unchecked "${imports}")
  message(SEND_ERROR "the .scr imports what tests/release/xp_imports.txt does not hold, so not checked "
                     "as present in Windows XP SP3:\n  ${unchecked}")
endif()

# Users check their copy against the hash that the guides give.
file(SHA256 ${unzipped}/pok_v3.scr scrHash)
foreach(guide README.txt はじめにお読みください.txt)
  # As bytes ("ef bb bf ..."): file(READ) as text drops carriage returns.
  file(READ ${unzipped}/${guide} hex HEX)
  string(REGEX REPLACE "(..)" "\\1 " bytes "${hex}")
  if(NOT bytes MATCHES "^ef bb bf ")
    message(SEND_ERROR "${guide} does not start with the UTF-8 byte-order mark")
  endif()
  # Each byte is "xx ", so these match whole bytes only.
  string(REPLACE "0d 0a " "" withoutCrlf "${bytes}")
  if(withoutCrlf STREQUAL bytes OR withoutCrlf MATCHES "0[ad] ")
    message(SEND_ERROR "${guide} has no lines, or a carriage return or line feed outside a CRLF")
  endif()
  file(READ ${unzipped}/${guide} text)
  if(text MATCHES "@[A-Za-z_]+@")
    message(SEND_ERROR "${guide} still holds ${CMAKE_MATCH_0}")
  endif()
  if(NOT text MATCHES "${scrHash}")
    message(SEND_ERROR "${guide} does not give the SHA-256 of the ZIP's pok_v3.scr, ${scrHash}")
  endif()
endforeach()
