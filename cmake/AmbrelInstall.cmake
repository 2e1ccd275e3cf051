# What the installation holds besides the programs and libraries (which their helper functions in
# Ambrel.cmake install): the whole built share tree, the desktop entry and its icon.

# Everything the build puts into share/ambrel (string tables, help, report definitions of any
# language) is installed as it is, so new resource folders need no rule of their own.
install(DIRECTORY ${AMB_SHARE_DIR}/ DESTINATION ${AMB_INSTALL_SHARE_DIR} OPTIONAL)

install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/ambrel.svg DESTINATION share/icons/hicolor/scalable/apps)

# The desktop entry names the prefix actually installed into (cmake --install --prefix may differ
# from the configured one), so it is written when installing.
install(CODE "set(AMB_DESKTOP_TEMPLATE \"${CMAKE_SOURCE_DIR}/resources/desktop/ambrel.desktop.in\")
set(AMB_DESKTOP_WORK \"${CMAKE_BINARY_DIR}/desktop\")")
install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/InstallDesktopEntry.cmake)
