# Installs the build tree BAU into the folder ZIEL and checks what arrived there.
file(REMOVE_RECURSE ${ZIEL})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BAU} --prefix ${ZIEL}
                RESULT_VARIABLE ergebnis OUTPUT_QUIET)
if(NOT ergebnis EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${ergebnis}")
endif()

foreach(datei bin/zivor share/applications/zivor.desktop
              share/icons/hicolor/scalable/apps/zivor.svg share/icons/hicolor/32x32/apps/zivor.png
              share/metainfo/de.zivor.zivor.metainfo.xml share/man/man1/zivor.1)
  if(NOT EXISTS ${ZIEL}/${datei})
    message(FATAL_ERROR "not installed: ${datei}")
  endif()
endforeach()

# The PNG header holds width and height at bytes 16..23: 32 x 32.
file(READ ${ZIEL}/share/icons/hicolor/32x32/apps/zivor.png kopf OFFSET 12 LIMIT 12 HEX)
if(NOT kopf STREQUAL "494844520000002000000020")
  message(FATAL_ERROR "the icon is not a 32 x 32 PNG: ${kopf}")
endif()

file(STRINGS ${ZIEL}/share/applications/zivor.desktop eintrag)
foreach(zeile "Exec=zivor" "Icon=zivor" "Categories=Education;Physics;")
  list(FIND eintrag "${zeile}" stelle)
  if(stelle LESS 0)
    message(FATAL_ERROR "desktop entry lacks ${zeile}")
  endif()
endforeach()
