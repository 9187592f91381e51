# Settings every target of the project shares.

# Warnings are errors in the presets and CI, where the compilers are known; a plain build with
# another compiler or build type only reports them.
option(MORVIK_WERROR "Treat compiler warnings as errors" OFF)

function(morvik_target target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${MORVIK_WERROR}>:/WX>)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                                 -Wnon-virtual-dtor
                                                 $<$<BOOL:${MORVIK_WERROR}>:-Werror>)
    endif()
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src
                                                 ${PROJECT_BINARY_DIR}/generated)
endfunction()

# The version text, from project(), for the programs that show it.
configure_file(${PROJECT_SOURCE_DIR}/cmake/Version.h.in ${PROJECT_BINARY_DIR}/generated/Version.h
               @ONLY)

# Windows programs are one file: no runtime DLLs beside them.
if(WIN32 AND NOT MSVC)
    add_link_options(-static -static-libgcc -static-libstdc++)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)
endif()

# Test programs and benchmarks for Windows run under Wine on Linux: the 64-bit ones under the
# machine's wine64; the 32-bit ones under Debian's 32-bit Wine, the machine's own (wine32:i386)
# where the kernel runs 32-bit programs, else the copy that scripts/wine32-env.sh unpacks into
# the build folder and starts through user-mode emulation (MORVIK_WINE32_EMULATED, set by the
# test run).
option(MORVIK_WINE32_EMULATED "Run the 32-bit Windows programs under the emulated 32-bit Wine" OFF)
if(WIN32 AND CMAKE_CROSSCOMPILING)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND MORVIK_WINE32_EMULATED)
        set(MORVIK_WINE32 ${CMAKE_BINARY_DIR}/wine32/root/usr/lib/wine)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${MORVIK_WINE32}/wine-preloader ${MORVIK_WINE32}/wine)
    else()
        # Debian's `wine` command picks the 32-bit loader whenever wine32 is installed, which
        # starts 32- and 64-bit programs alike where the kernel runs it; the 64-bit programs are
        # started by the 64-bit loader itself, which works with or without wine32.
        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
            find_program(MORVIK_WINE NAMES wine)
        else()
            find_program(MORVIK_WINE64 NAMES wine64 PATHS /usr/lib/wine)
            set(MORVIK_WINE ${MORVIK_WINE64})
        endif()
        if(MORVIK_WINE)
            set(CMAKE_CROSSCOMPILING_EMULATOR ${MORVIK_WINE})
        endif()
    endif()
endif()
