# make scorm: Zivor as a SCORM 1.2 package for learning platforms (Moodle, ILIAS), a zip with
# imsmanifest.xml at its root, made from the page that make web put in SEITE. Only what the page
# needs goes in, named one by one: no service worker (the platform serves the package from a path
# of its own and keeps nothing offline) and no pre-packed copies but one: the program goes in as
# zivor.wasm.gz, which the page unpacks. A platform may refuse or rename files whose suffix it
# does not know (ILIAS checks every file of a package against its list of allowed suffixes, which
# has gz and js but not wasm), and a server that sends it unpacked (Content-Encoding) does no harm.
# For the same reason, and because a page inside a platform is no app to install, the web app
# manifest (.webmanifest) stays out.
#   cmake -DSEITE=dist/web -DZIEL=<staging folder> -DPAKET=dist/zivor-scorm12.zip -P web/lernpaket.cmake
set(dateien index.html lernplattform.js start.js laden.js qtloader.js zivor.js zivor.wasm.gz
    zivor-32.png zivor-128.png zivor-180.png zivor-192.png zivor-512.png LICENSE.txt LICENSE-Liberation.txt)

file(REMOVE_RECURSE ${ZIEL})
file(MAKE_DIRECTORY ${ZIEL})
foreach(datei ${dateien})
  if(NOT EXISTS ${SEITE}/${datei})
    message(FATAL_ERROR "${SEITE}/${datei} is missing: make web first")
  endif()
  file(COPY_FILE ${SEITE}/${datei} ${ZIEL}/${datei})
endforeach()

# The page without its service worker and app manifest, naming the packed program; its version is
# the package's.
file(READ ${ZIEL}/index.html seite)
string(REGEX MATCH "data-version=\"([0-9.]+)\"" gefunden "${seite}")
set(VERSION ${CMAKE_MATCH_1})
if(NOT VERSION)
  message(FATAL_ERROR "${SEITE}/index.html names no data-version")
endif()
string(REPLACE "data-service-worker=\"sw.js\"" "data-service-worker=\"\"" paketseite "${seite}")
if(paketseite STREQUAL seite)
  message(FATAL_ERROR "${SEITE}/index.html names no service worker as data-service-worker=\"sw.js\"")
endif()
string(REPLACE "data-programm=\"zivor.wasm\"" "data-programm=\"zivor.wasm.gz\"" gepackt "${paketseite}")
if(gepackt STREQUAL paketseite)
  message(FATAL_ERROR "${SEITE}/index.html names no program as data-programm=\"zivor.wasm\"")
endif()
set(paketseite "${gepackt}")
string(REGEX REPLACE "<link rel=\"manifest\"[^>]*>\n?" "" paketseite "${paketseite}")
if(paketseite MATCHES "webmanifest")
  message(FATAL_ERROR "the package's page still names the app manifest")
endif()
file(WRITE ${ZIEL}/index.html "${paketseite}")

set(DATEIEN "")
foreach(datei ${dateien})
  string(APPEND DATEIEN "      <file href=\"${datei}\"/>\n")
endforeach()
get_filename_component(hier ${CMAKE_CURRENT_LIST_FILE} DIRECTORY)
configure_file(${hier}/imsmanifest.xml.in ${ZIEL}/imsmanifest.xml @ONLY)

get_filename_component(PAKET ${PAKET} ABSOLUTE)
get_filename_component(paketordner ${PAKET} DIRECTORY)
file(MAKE_DIRECTORY ${paketordner})
file(REMOVE ${PAKET})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${PAKET} --format=zip -- imsmanifest.xml ${dateien}
                WORKING_DIRECTORY ${ZIEL} RESULT_VARIABLE ergebnis)
if(NOT ergebnis EQUAL 0)
  message(FATAL_ERROR "the zip ${PAKET} could not be made")
endif()
file(SIZE ${PAKET} groesse)
math(EXPR mb "${groesse} / 1000000")
message(STATUS "Zivor als Lernpaket (SCORM 1.2): ${PAKET}, ${mb} MB")
