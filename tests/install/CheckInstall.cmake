# cmake -DBUILD=<build folder> -DPREFIX=<fresh prefix> -P CheckInstall.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}"
  RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()

set(expected
  bin/kurvask
  bin/kvkturn
  share/kurvask/kvkmap.bmp
  share/kurvask/splash.bmp
  share/kurvask/sample/opening.kvk
  share/kurvask/sample/opening.cbt
  share/kurvask/sample/opening.txt
  share/applications/org.kurvask.Kurvask.desktop
  share/mime/packages/org.kurvask.Kurvask.xml
  share/metainfo/org.kurvask.Kurvask.metainfo.xml)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/kurvask.png)
endforeach()
foreach(file IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

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
message(STATUS "installed tree checked: ${PREFIX}")
