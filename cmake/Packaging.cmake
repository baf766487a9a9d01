# Manual pages and the package's documents compressed as Debian keeps them, and the Debian
# package itself: `cpack -G DEB` in the build tree.
set(compressed_docs "")
foreach(source share/man/velmora2.1 share/man/velmora2-measure.1 share/man/velmora2-list-devices.1
               share/man/velmora2-files.1 share/doc/changelog)
  get_filename_component(name ${source} NAME)
  set(target ${CMAKE_BINARY_DIR}/share/${name}.gz)
  add_custom_command(OUTPUT ${target}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/share
                     COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/${source} > ${target}
                     DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND compressed_docs ${target})
endforeach()
add_custom_target(compressed-docs ALL DEPENDS ${compressed_docs})
list(FILTER compressed_docs INCLUDE REGEX "\\.1\\.gz$")
install(FILES ${compressed_docs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/share/doc/copyright ${CMAKE_BINARY_DIR}/share/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora2)
set(CPACK_PACKAGE_VENDOR "Velmora2 developers")
set(VELMORA2_PACKAGE_CONTACT "Velmora2 developers <developers@velmora2.org>"
    CACHE STRING "The package's maintainer, as Name <address>")
set(CPACK_PACKAGE_CONTACT "${VELMORA2_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "two-channel oscilloscope, spectrum and network analyzer on a sound device")
# CPack puts the summary first and a space before each of these lines.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
       "Velmora2 turns a stereo sound device into a bench instrument: an oscilloscope,\n"
       "an FFT spectrum analyzer with THD, THD+N and S/N read-outs and a precision\n"
       "analysis, a network analyzer, an X-Y display, a signal generator and a WAV\n"
       "recorder. Without a sound device it runs on a simulated bench.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
