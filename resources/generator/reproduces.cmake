# Runs the generator into a scratch folder and fails unless every picture it
# writes equals the committed file byte for byte.
file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT})
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${result}")
endif()
set(names pok_v3.ico)
foreach(picture sprite_sheet title_card preview_picture)
  list(APPEND names ${picture}.bmp ${picture}_2x.bmp ${picture}_3x.bmp)
endforeach()
foreach(name IN LISTS names)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT}/${name} ${COMMITTED}/${name}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(SEND_ERROR "${name} differs from what the generator draws; run the regenerate_artwork target")
  endif()
endforeach()
