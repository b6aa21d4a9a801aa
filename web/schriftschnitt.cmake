# The faces the browser program carries, cut down to the glyphs it can show (run by the build,
# cmake -P): Latin with its Western and Central European letters, Greek, punctuation, arrows and
# mathematical signs, and every character written in the program's sources.
#   PYFTSUBSET  fonttools' pyftsubset      VON, NACH  folders of the whole and the cut faces
#   SCHNITTE    the faces' file names       QUELLEN    the program's source files (both with |)
string(REPLACE "|" ";" SCHNITTE "${SCHNITTE}")
string(REPLACE "|" ";" QUELLEN "${QUELLEN}")
set(zeichen "")
foreach(datei ${QUELLEN})
  file(READ ${datei} inhalt)
  string(APPEND zeichen "${inhalt}")
endforeach()
file(MAKE_DIRECTORY ${NACH})
file(WRITE ${NACH}/zeichen.txt "${zeichen}")
foreach(schnitt ${SCHNITTE})
  execute_process(
    COMMAND ${PYFTSUBSET} ${VON}/${schnitt}.ttf --text-file=${NACH}/zeichen.txt
            --unicodes=U+0020-007E,U+00A0-017F,U+0370-03FF,U+2000-206F,U+20AC,U+2100-215F,U+2190-21FF,U+2200-22FF,U+25A0-25FF,U+FFFD
            --layout-features=* --output-file=${NACH}/${schnitt}.ttf
    RESULT_VARIABLE ergebnis ERROR_VARIABLE meldungen)
  if(NOT ergebnis EQUAL 0)
    message(FATAL_ERROR "pyftsubset failed for ${schnitt}: ${meldungen}")
  endif()
endforeach()
