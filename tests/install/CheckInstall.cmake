# cmake -DBUILD=<build folder> -DPREFIX=<fresh prefix> -DCONFIGURED_DATA=<data folder the
#       build was configured for> -P CheckInstall.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/InstalledTree.cmake)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}"
  RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
# The program reports folders as the system sees them, every link resolved.
file(REAL_PATH "${PREFIX}" PREFIX)

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${PREFIX}" "${PREFIX}/*")
kvk_expect_installed_files("${installed}" "")

execute_process(COMMAND "${PREFIX}/bin/kvkturn" check "${PREFIX}/share/kurvask/sample/opening.kvk"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the installed kvkturn refused the installed sample turn: ${err}")
endif()

find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
    "${PREFIX}/share/metainfo/org.kurvask.Kurvask.metainfo.xml"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "appstreamcli: ${out}${err}")
  endif()
endif()
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE}
    "${PREFIX}/share/applications/org.kurvask.Kurvask.desktop"
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate: ${out}${err}")
  endif()
endif()

# The installed program, started in a folder of turns that holds no pictures, finds them in the
# tree it was installed with (the prefix configured at build time is another) and opens the turn.
set(turns "${PREFIX}-turns")
file(REMOVE_RECURSE "${turns}")
file(COPY "${PREFIX}/share/kurvask/sample/" DESTINATION "${turns}")
kvk_start("${PREFIX}/bin/kurvask" "${turns}" opening.kvk)
if(NOT status EQUAL 0 OR NOT caption STREQUAL "Kurvask  :  opening\n")
  message(FATAL_ERROR "installed kurvask: status ${status}, caption '${caption}'\n${said}")
endif()

# A picture in the working folder comes first, even a damaged one; and with none in the tree
# either, start-up names every folder it searched, in order.
file(WRITE "${turns}/kvkmap.bmp" "")
kvk_start("${PREFIX}/bin/kurvask" "${turns}" opening.kvk)
string(FIND "${said}" "${turns}/kvkmap.bmp: the file is empty" at)
if(NOT status EQUAL 1 OR at EQUAL -1)
  message(FATAL_ERROR "the working folder's kvkmap.bmp was not read first: ${status}\n${said}")
endif()
file(REMOVE "${turns}/kvkmap.bmp")
if(EXISTS "${CONFIGURED_DATA}/kvkmap.bmp")
  message(STATUS "missing pictures not tried: ${CONFIGURED_DATA} holds them")
else()
  file(RENAME "${PREFIX}/share/kurvask" "${PREFIX}/share/kurvask-moved")
  kvk_start("${PREFIX}/bin/kurvask" "${turns}" opening.kvk)
  string(CONCAT folders "cannot be opened; it is in none of these folders:\n  ${turns}\n"
    "  ${PREFIX}/share/kurvask\n  ${CONFIGURED_DATA}\n")
  string(FIND "${said}" "${folders}" at)
  if(NOT status EQUAL 1 OR at EQUAL -1)
    message(FATAL_ERROR "without its pictures: status ${status}, said:\n${said}")
  endif()
endif()
message(STATUS "installed tree checked: ${PREFIX}")
