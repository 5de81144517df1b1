# Packages made by CPack from what `cmake --install` installs of the game (component "game"):
#   Linux (the GTK program):  cpack -G DEB   -> vantorel_<version>_<arch>.deb, installed under /usr
#   Windows (VANTOREL_WIN32): cpack -G ZIP   -> vantorel-<version>-win32.zip with VANTOREL_KV.EXE
# Run from the build directory: cd build/linux && cpack -G DEB.

set(CPACK_PACKAGE_NAME vantorel)
set(CPACK_PACKAGE_VENDOR "The Vantorel workshop")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Falling-block puzzle on three balance scales")
set(CPACK_PACKAGE_DESCRIPTION
    "The Vantorel -KESTRAVO edition-: six columns on three balance scales. Pieces weighing 1 to 6 fall one at a time; each scale tilts with the weight difference of its columns, and groups of three equal pieces vanish.")
set(CPACK_PACKAGE_CONTACT "Vantorel maintainers <maintainers@users.noreply.c-seed-5da3a675.example>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY vantorel)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")

# Only the game goes into a package, not the tools and tests a build also makes.
set(CPACK_COMPONENTS_ALL game)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)

if(VANTOREL_WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win32)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL_IN_ONE_PACKAGE ON)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
  if(TARGET vantorel_kv)
    install(TARGETS vantorel_kv RUNTIME DESTINATION . COMPONENT game)
  endif()
  if(EXISTS ${PROJECT_SOURCE_DIR}/docs/playing.md)
    install(FILES ${PROJECT_SOURCE_DIR}/docs/playing.md DESTINATION . COMPONENT game)
  endif()
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_NAME vantorel)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  # The shared libraries the program links, as dpkg-shlibdeps finds them when it is there
  # (dpkg-dev); otherwise the one library that brings the rest.
  find_program(VANTOREL_DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(VANTOREL_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgtk-3-0 (>= 3.24), libc6, libstdc++6")
  endif()
endif()

include(CPack)
