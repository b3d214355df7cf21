# Installs the menu entries with their Exec lines naming the programs by their installed
# path, since <prefix>/games is not on the PATH of every desktop session. cmake --install and
# CPack run it with the prefix the files go under (CPack with DESTDIR set, see CMakeLists.txt),
# after setting VUM_DESKTOP_ENTRIES (the source entries), VUM_DESKTOP_STAGE (a build folder),
# VUM_GAMES_DIR and VUM_APPLICATIONS_DIR (folders relative to the prefix).
foreach(source IN LISTS VUM_DESKTOP_ENTRIES)
  file(READ "${source}" entry)
  string(REGEX REPLACE "(^|\n)Exec=([^/\n])" "\\1Exec=${CMAKE_INSTALL_PREFIX}/${VUM_GAMES_DIR}/\\2" entry "${entry}")
  # A folder of its own for each place installed to: two installs may run side by side.
  string(MD5 place "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  get_filename_component(name "${source}" NAME)
  file(WRITE "${VUM_DESKTOP_STAGE}/${place}/${name}" "${entry}")
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${VUM_APPLICATIONS_DIR}" TYPE FILE
       FILES "${VUM_DESKTOP_STAGE}/${place}/${name}")
endforeach()
