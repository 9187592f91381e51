# What `cmake --install` puts under the prefix, and the release packages CPack makes of it:
# for Windows a zip of the two programs with README.txt and LICENSE.txt; elsewhere morvik-cli with
# its manual page, bash completion and copyright file, as a Debian package and as a .tar.gz, and
# the window `morvik` (where Qt was found) with its launcher and icon as a Debian package.

# A release installs what it built and nothing else; without this the install step of CPack would
# first build every test program of the build folder.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_PACKAGE_VENDOR "the Morvik authors")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_ARCHIVE_THREADS 1)

if(WIN32)
    # Flat, as Windows users unpack and start it; the texts with the line ends of Windows.
    install(TARGETS Morvik morvik-cli RUNTIME DESTINATION .)
    set(text_dir ${PROJECT_BINARY_DIR}/package)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/README.txt ${text_dir}/README.txt @ONLY
                   NEWLINE_STYLE CRLF)
    configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${text_dir}/LICENSE.txt COPYONLY)
    file(READ ${text_dir}/LICENSE.txt license)
    string(REPLACE "\n" "\r\n" license "${license}")
    file(WRITE ${text_dir}/LICENSE.txt "${license}")
    install(FILES ${text_dir}/README.txt ${text_dir}/LICENSE.txt DESTINATION .)

    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(CPACK_PACKAGE_FILE_NAME Morvik-${PROJECT_VERSION}-win32)
    else()
        set(CPACK_PACKAGE_FILE_NAME Morvik-${PROJECT_VERSION}-win64)
    endif()
    set(CPACK_GENERATOR ZIP)
else()
    include(GNUInstallDirs)
    # The project has no mail address yet; whoever publishes the package sets theirs here.
    set(MORVIK_MAINTAINER "the Morvik authors <authors@morvik.invalid>"
        CACHE STRING "The maintainer of the Debian package: a name and a mail address")
    find_program(MORVIK_GZIP gzip)
    set(package_dir ${PROJECT_BINARY_DIR}/package)

    # The copyright file of a Debian package, in the machine-readable format, made from LICENSE.
    file(READ ${PROJECT_SOURCE_DIR}/LICENSE terms)
    string(REGEX REPLACE "^.*\n\n(Permission)" "\\1" terms "${terms}")
    string(REPLACE "\n\n" "\n.\n" terms "${terms}")
    string(REGEX REPLACE "\n(.)" "\n \\1" terms "${terms}")
    string(CONCAT copyright "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
                         "Upstream-Name: Morvik\n\nFiles: *\nCopyright: the Morvik authors\n"
                         "License: Expat\n ${terms}")
    file(WRITE ${package_dir}/copyright "${copyright}")
    # Debian wants a changelog beside it, dated from SOURCE_DATE_EPOCH when set
    # (scripts/release.sh sets it to the commit's time).
    string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)

    # Installs what every package of the project has: its manual page from page.in, gzipped as
    # Debian wants them (-9n: no name, no time, reproducible), and its copyright and changelog.
    function(morvik_install_package_files package component page)
        set(out ${package_dir}/${package})
        get_filename_component(name ${page} NAME_WLE)
        configure_file(${page} ${out}/${name} @ONLY)
        file(WRITE ${out}/changelog
             "${package} (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
             "  * Morvik ${PROJECT_VERSION}.\n\n -- ${MORVIK_MAINTAINER}  ${date}\n")
        set(page ${out}/${name})
        set(docs ${package_dir}/copyright)
        if(MORVIK_GZIP)
            execute_process(COMMAND ${MORVIK_GZIP} -9nc ${page} OUTPUT_FILE ${page}.gz
                            COMMAND_ERROR_IS_FATAL ANY)
            execute_process(COMMAND ${MORVIK_GZIP} -9nc ${out}/changelog
                            OUTPUT_FILE ${out}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
            set(page ${page}.gz)
            list(APPEND docs ${out}/changelog.gz)
        endif()
        install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
        install(FILES ${docs} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
                COMPONENT ${component})
    endfunction()

    install(TARGETS morvik-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT cli)
    morvik_install_package_files(morvik-cli cli ${PROJECT_SOURCE_DIR}/src/cli/morvik-cli.1.in)
    install(FILES ${PROJECT_SOURCE_DIR}/src/cli/morvik-cli.bash
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME morvik-cli
            COMPONENT cli)
    set(CPACK_COMPONENTS_ALL cli)

    # The window, where Qt was found: the program, its launcher in the desktop's menus and its
    # icon, made from the Windows program's (src/platform/qt/CMakeLists.txt).
    if(MORVIK_QT)
        install(TARGETS morvik RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT window)
        morvik_install_package_files(morvik window ${PROJECT_SOURCE_DIR}/packaging/morvik.1.in)
        install(FILES ${PROJECT_SOURCE_DIR}/packaging/morvik.desktop
                DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT window)
        install(FILES ${MORVIK_ICON_PNG}
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps COMPONENT window)
        list(APPEND CPACK_COMPONENTS_ALL window)
    endif()

    # One Debian package per component; the .tar.gz (CPack_config.cmake) holds morvik-cli alone.
    set(CPACK_GENERATOR DEB TGZ)
    set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/CPack_config.cmake)
    set(CPACK_DEB_COMPONENT_INSTALL ON)
    set(CPACK_PACKAGE_NAME morvik-cli)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_PACKAGE_FILE_NAME morvik-cli-${PROJECT_VERSION}-linux-${CMAKE_SYSTEM_PROCESSOR})
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MORVIK_MAINTAINER})
    set(CPACK_DEBIAN_CLI_PACKAGE_NAME morvik-cli)
    set(CPACK_DEBIAN_CLI_PACKAGE_SECTION utils)
    # Each package's summary (the first line) and long description, which CPack indents. No
    # CPACK_PACKAGE_DESCRIPTION_SUMMARY, which CPack would put above both.
    set(CPACK_COMPONENT_CLI_DESCRIPTION
        "list, extract, create, edit and check GRP group files
morvik-cli works with the GRP group files of Build-engine games, the flat
archives these games read their data from. It lists a group file with its
CRC-32, extracts its entries, creates a new one from files, adds, replaces,
deletes and renames entries in place, checks a group file for names that
cannot be extracted or are given twice, and writes the .grpinfo definitions
by which the game ports offer a mod. Every group file is read as untrusted
input: entry names that would leave the extraction folder are refused.")
    set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME morvik)
    set(CPACK_DEBIAN_WINDOW_PACKAGE_SECTION x11)
    # Wine's "MS Sans Serif", in whose metrics the window is laid out; without it the system's
    # sans serif face stands in.
    set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS fonts-wine)
    set(CPACK_COMPONENT_WINDOW_DESCRIPTION
        "create, list and extract GRP group files in a window
Morvik is a small desktop tool for the GRP group files of Build-engine games,
the flat archives these games read their data from. In one window it packs
chosen files into a new group file, lists the entries of a group file and
extracts the marked ones, or all, into a folder beside it. Every group file
is read as untrusted input: entry names that would leave the extraction
folder are refused.")
endif()

include(CPack)
