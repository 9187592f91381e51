# Read by CPack for each generator: the .tar.gz is morvik-cli's tree alone, for systems other than
# Debian, under the package's file name; the window is a Debian package only, as it needs the
# system's Qt.
if(CPACK_GENERATOR STREQUAL "TGZ")
    set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
    set(CPACK_COMPONENTS_ALL cli)
    set(CPACK_ARCHIVE_CLI_FILE_NAME ${CPACK_PACKAGE_FILE_NAME})
    set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
