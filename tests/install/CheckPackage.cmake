# cmake -DBUILD=<build folder> -DCPACK=<cpack> -DWORK=<fresh folder> -DVERSION=<project version>
#       -P CheckPackage.cmake
# Builds the Debian package of the build and reads it as dpkg does: the control fields, the
# files with their owners and modes, the desktop entry inside, and the program in it.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/InstalledTree.cmake)
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${CPACK}" --config "${BUILD}/CPackConfig.cmake" -B "${WORK}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed: ${status}\n${out}")
endif()
file(REAL_PATH "${WORK}" WORK)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch
  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(deb "${WORK}/kurvask_${VERSION}_${arch}.deb")

# Depends, read off the binaries, names the C and C++ runtimes and the three Qt libraries.
execute_process(COMMAND dpkg-deb --field "${deb}" Package Version Architecture Depends
  OUTPUT_VARIABLE control COMMAND_ERROR_IS_FATAL ANY)
foreach(part "\nPackage: kurvask\n" "\nVersion: ${VERSION}\n" "\nArchitecture: ${arch}\n"
        " libc6 (" " libstdc++6 (" " libqt6core6 (" " libqt6gui6 (" " libqt6widgets6 (")
  string(FIND "\n${control}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "no '${part}' in the control fields:\n${control}")
  endif()
endforeach()

# Everything lies under /usr and belongs to root; the programs run for all, the other files
# are read by all, and only root writes.
execute_process(COMMAND dpkg-deb --contents "${deb}" OUTPUT_VARIABLE listing
  COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCHALL "[^\n]+" entries "${listing}")
set(folder "drwxr-xr-x root/root .* \\./usr/(.*/)?")
set(program "-rwxr-xr-x root/root .* \\./usr/bin/[^/]+")
set(data "-rw-r--r-- root/root .* \\./usr/share/.*[^/]")
set(files)
foreach(entry IN LISTS entries)
  if(NOT entry MATCHES "^(${folder}|${program}|${data})$")
    message(FATAL_ERROR "unexpected entry: ${entry}")
  endif()
  if(entry MATCHES "^-.* \\./(.*)$")
    list(APPEND files "${CMAKE_MATCH_1}")
  endif()
endforeach()
kvk_expect_installed_files("${files}" usr/)

# The desktop entry starts a program of the package, shows its icon and opens a type it declares.
set(usr "${WORK}/root/usr")
execute_process(COMMAND dpkg-deb --extract "${deb}" "${WORK}/root" COMMAND_ERROR_IS_FATAL ANY)
file(READ "${usr}/share/applications/org.kurvask.Kurvask.desktop" entry)
file(READ "${usr}/share/mime/packages/org.kurvask.Kurvask.xml" types)
string(REGEX REPLACE ".*\nExec=([^ \n]*).*" "\\1" exec "${entry}")
string(REGEX REPLACE ".*\nIcon=([^\n]*).*" "\\1" icon "${entry}")
string(REGEX REPLACE ".*\nMimeType=([^;\n]*).*" "\\1" type "${entry}")
string(FIND "${types}" "<mime-type type=\"${type}\">" at)
if(NOT EXISTS "${usr}/bin/${exec}" OR NOT EXISTS "${usr}/share/icons/hicolor/48x48/apps/${icon}.png"
   OR at EQUAL -1)
  message(FATAL_ERROR "the desktop entry names what the package lacks:\n${entry}")
endif()

# The packaged program, stripped and laid out under /usr, finds its pictures beside itself.
kvk_start("${usr}/bin/kurvask" "${WORK}" root/usr/share/kurvask/sample/opening.kvk)
if(NOT status EQUAL 0 OR NOT caption STREQUAL "Kurvask  :  opening\n")
  message(FATAL_ERROR "packaged kurvask: status ${status}, caption '${caption}'\n${said}")
endif()
message(STATUS "package checked: ${deb}")
