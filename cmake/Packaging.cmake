# What `cmake --install` puts beside the programs (desktop entry, icons,
# AppStream description, sample engines) and the Debian package `cpack -G DEB`
# builds from it, its library dependencies found by dpkg-shlibdeps.
# The desktop entry, the AppStream file and the icons are named after the
# AppStream component id, a reverse-DNS name.
set(resources ${PROJECT_SOURCE_DIR}/resources)
set(ZOV_APP_ID org.vardenlyke.Zovuderiz)
if(ZOV_BUILD_GUI)
  install(FILES ${resources}/${ZOV_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${resources}/${ZOV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${resources}/zovuderiz.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${ZOV_APP_ID}.svg)
  install(FILES ${resources}/icon64.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps
    RENAME ${ZOV_APP_ID}.png)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/examples/ste_data.dat ${PROJECT_SOURCE_DIR}/examples/sample-engines.json
  DESTINATION ${CMAKE_INSTALL_DATADIR}/zovuderiz/examples)

set(CPACK_PACKAGE_NAME zovuderiz)
set(CPACK_PACKAGE_VENDOR "Vardenlyke")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design tool for the shifting-link valve gear of steam engines")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Keeps named engines, takes the dimensions of their shifting-link valve gear and for a\n"
  "lifting-arm setting shows the valve events, leads, port openings, link swing, a valve\n"
  "diagram and an animation of the gear; a quadrant study of the whole lifting-arm range\n"
  "and a design assistant that equalises the cut-offs. Includes the command-line tools\n"
  "zovuderiz-sweep, zovuderiz-design, zovuderiz-review and zovuderiz-setting (valve\n"
  "setting from a fitter's readings).")
set(CPACK_PACKAGE_CONTACT "Vardenlyke Zovuderiz developers <zovuderiz@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
