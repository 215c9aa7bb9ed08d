# Run at install time, so that the paths in the desktop entry follow the prefix
# given to `cmake --install --prefix`.
set(prefix "${CMAKE_INSTALL_PREFIX}")
if(DEFINED ENV{DESTDIR})
  set(stage "$ENV{DESTDIR}")
else()
  set(stage "")
endif()
if(IS_ABSOLUTE "${FF_BINDIR}")
  set(FF_LAUNCHER "${FF_BINDIR}/filefinder")
else()
  set(FF_LAUNCHER "${prefix}/${FF_BINDIR}/filefinder")
endif()
configure_file("${FF_SOURCE}/filefinder.desktop.in"
               "${stage}${prefix}/${FF_DATADIR}/applications/${FF_APP_ID}.desktop" @ONLY)
configure_file("${FF_SOURCE}/filefinder.metainfo.xml.in"
               "${stage}${prefix}/${FF_DATADIR}/metainfo/${FF_APP_ID}.metainfo.xml" @ONLY)
message(STATUS "Installing: ${stage}${prefix}/${FF_DATADIR}/applications/${FF_APP_ID}.desktop")
message(STATUS "Installing: ${stage}${prefix}/${FF_DATADIR}/metainfo/${FF_APP_ID}.metainfo.xml")
