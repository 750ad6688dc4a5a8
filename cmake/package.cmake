# The download: one ZIP with the files that must stand side by side (the
# program, its resource module, the skinning module and its skin bundle)
# and a read-me for users. `cmake --build <build> --target package` makes
# WavaPlaylist-<version>-win32.zip in the build folder.
configure_file(${PROJECT_SOURCE_DIR}/docs/README.txt ${CMAKE_BINARY_DIR}/package/README.txt
               @ONLY NEWLINE_STYLE CRLF)

install(TARGETS WavaPlaylist wava_resources wava_hookwnd
        RUNTIME DESTINATION .
        # Nothing links against the modules: their import libraries stay out.
        ARCHIVE DESTINATION lib COMPONENT link_libraries EXCLUDE_FROM_ALL)
install(FILES ${WAVA_BIN_DIR}/ZKWAPl.bff ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME WavaPlaylist)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(WAVA_PACKAGE_FILE ${CMAKE_BINARY_DIR}/WavaPlaylist-${PROJECT_VERSION}-win32.zip)
get_filename_component(CPACK_PACKAGE_FILE_NAME ${WAVA_PACKAGE_FILE} NAME_WLE)
set(CPACK_STRIP_FILES ON)
include(CPack)
