# The Windows program folder, as `cmake --install` lays it out: the two
# programs beside Qt's and the compiler's DLLs, Qt's plugins and Chinese
# translation, and avrdude with its configuration. The installer and the
# portable zip are made of this folder (packaging/windows/build.sh).
# AWARD_WIN_QT and AWARD_WIN_DEPS are the dependency cache's folders.
set_target_properties(award-banner PROPERTIES WIN32_EXECUTABLE ON)

# The program's icon, made from the same picture as the Linux one.
find_program(AWARD_CONVERT convert)
if(AWARD_CONVERT)
  set(icon ${CMAKE_BINARY_DIR}/award-banner.ico)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${AWARD_CONVERT} ${PROJECT_SOURCE_DIR}/packaging/award-banner.png
            -define icon:auto-resize=64,48,32,16 ${icon}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/award-banner.png)
  file(WRITE ${CMAKE_BINARY_DIR}/award-banner.rc "1 ICON \"award-banner.ico\"\n")
  set_source_files_properties(${CMAKE_BINARY_DIR}/award-banner.rc PROPERTIES OBJECT_DEPENDS ${icon})
  target_sources(award-banner PRIVATE ${CMAKE_BINARY_DIR}/award-banner.rc)
  install(FILES ${icon} DESTINATION .)
endif()

install(TARGETS award-banner award-banner-sketch RUNTIME DESTINATION .)
set(mingw_runtime /usr/lib/gcc/x86_64-w64-mingw32/12-posix)
install(FILES
  ${AWARD_WIN_QT}/bin/Qt6Core.dll ${AWARD_WIN_QT}/bin/Qt6Gui.dll ${AWARD_WIN_QT}/bin/Qt6Widgets.dll
  ${mingw_runtime}/libstdc++-6.dll ${mingw_runtime}/libgcc_s_seh-1.dll
  /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll
  ${AWARD_WIN_DEPS}/avrdude/avrdude.exe ${AWARD_WIN_DEPS}/avrdude/avrdude.conf
  DESTINATION .)
install(FILES ${AWARD_WIN_QT}/plugins/platforms/qwindows.dll DESTINATION plugins/platforms)
install(FILES ${AWARD_WIN_QT}/plugins/styles/qwindowsvistastyle.dll DESTINATION plugins/styles)
# Program items' pictures: Qt reads PNG and BMP itself, JPEG and GIF through these.
install(FILES ${AWARD_WIN_QT}/plugins/imageformats/qjpeg.dll ${AWARD_WIN_QT}/plugins/imageformats/qgif.dll
        DESTINATION plugins/imageformats)
# Qt's own dialogs in Chinese; Debian's translation is the same for both systems.
install(FILES /usr/share/qt6/translations/qtbase_zh_TW.qm DESTINATION translations)
# Qt finds its plugins and translations beside the program, not where it was built.
file(WRITE ${CMAKE_BINARY_DIR}/qt.conf "[Paths]\nPrefix = .\nPlugins = plugins\nTranslations = translations\n")
install(FILES ${CMAKE_BINARY_DIR}/qt.conf DESTINATION .)
