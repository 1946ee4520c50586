# What the install and package tests share: every file the install rules put under a prefix,
# and a start of the installed program.
set(kvk_installed_files bin/kurvask bin/kvkturn share/kurvask/kvkmap.bmp share/kurvask/splash.bmp
  share/kurvask/sample/opening.cbt share/kurvask/sample/opening.kvk
  share/kurvask/sample/opening.txt share/applications/org.kurvask.Kurvask.desktop
  share/metainfo/org.kurvask.Kurvask.metainfo.xml share/mime/packages/org.kurvask.Kurvask.xml)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND kvk_installed_files share/icons/hicolor/${size}x${size}/apps/kurvask.png)
endforeach()

# Fails unless the list found holds exactly the installed files, each after prefix.
function(kvk_expect_installed_files found prefix)
  list(TRANSFORM kvk_installed_files PREPEND "${prefix}" OUTPUT_VARIABLE expected)
  list(SORT expected)
  list(SORT found)
  if(NOT found STREQUAL expected)
    message(FATAL_ERROR "files: ${found}\ninstead of: ${expected}")
  endif()
endfunction()

# Starts program offscreen in folder on turn with its test hook, which prints the main window's
# caption and quits, and prints message boxes instead of waiting on them. Sets status, caption
# and said (what it wrote on the terminal).
macro(kvk_start program folder turn)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                          KURVASK_TEST_PRINT_CAPTION=1 "${program}" "${turn}"
    WORKING_DIRECTORY "${folder}" TIMEOUT 120
    RESULT_VARIABLE status OUTPUT_VARIABLE caption ERROR_VARIABLE said)
endmacro()
