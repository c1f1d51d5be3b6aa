# Where every installed file goes, and the same layout inside the build
# folder. The programs find their companion, manual, sample and icons from
# their own folder with one relative path each, so the same rule serves both:
# in the build folder, the folder itself stands in for the prefix and the
# program folders (app/, cli/, tests/, ...) for bin/.
include(GNUInstallDirs)

foreach(dir BINDIR LIBEXECDIR DATADIR)
  if(IS_ABSOLUTE "${CMAKE_INSTALL_${dir}}" OR "${CMAKE_INSTALL_${dir}}" MATCHES "/")
    message(FATAL_ERROR "CMAKE_INSTALL_${dir} must be one folder under the prefix, "
                        "as the build folder repeats that layout.")
  endif()
endforeach()

set(BRINNOW_APP_ID org.brinnow.Brinnow)
set(BRINNOW_LIBEXEC_DIR ${CMAKE_INSTALL_LIBEXECDIR}/brinnow)
set(BRINNOW_MANUAL_DIR ${CMAKE_INSTALL_DATADIR}/brinnow/help)
set(BRINNOW_SAMPLE_DIR ${CMAKE_INSTALL_DATADIR}/brinnow/sample)
set(BRINNOW_ICON_THEMES_DIR ${CMAKE_INSTALL_DATADIR}/icons)
set(BRINNOW_BUILD_PREFIX ${CMAKE_BINARY_DIR})
# Where the Debian package installs to, whatever prefix this build installs to.
set(BRINNOW_PACKAGE_PREFIX /usr)

# A path under the prefix as seen from the programs' folder.
function(brinnow_path_from_bin variable path)
  file(RELATIVE_PATH relative ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${path})
  set(${variable} ${relative} PARENT_SCOPE)
endfunction()

# Installs files into a folder under the prefix and copies them to the same
# place in the build folder.
function(brinnow_install_data destination)
  foreach(file ${ARGN})
    get_filename_component(name ${file} NAME)
    configure_file(${file} ${BRINNOW_BUILD_PREFIX}/${destination}/${name} COPYONLY)
  endforeach()
  install(FILES ${ARGN} DESTINATION ${destination})
endfunction()
