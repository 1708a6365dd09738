# The release: the program and DlgMsgBox.dll as built and the zip Windows users take,
#   cmake --build --preset windows --target package   ->  build/windows/Marlwick-<version>-win32.zip
# (the windows64 preset makes Marlwick-<version>-win64.zip); the package_contents test checks it.

install(TARGETS MarlwickIII dlgmsgbox RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/app/resources/MarlwickIII.ini DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/docs/windows-readme.txt DESTINATION . RENAME readme.txt)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(marlwick_package_platform win32)
else()
    set(marlwick_package_platform win64)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Marlwick)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Marlwick-${PROJECT_VERSION}-${marlwick_package_platform})
# The zip holds one folder, which goes beside the IDE's Settings folder as it stands.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
